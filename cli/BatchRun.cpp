#include "cli/BatchRun.h"

#include "jobs/ClipJob.h"
#include "jobs/FailureReasons.h"
#include "jobs/OutputClash.h"

BatchRun::BatchRun(const QList<BatchClip> &clips, const JobSettings &settings, const QString &toolPath,
                   int jobsAtOnce, QObject *parent)
    : QObject(parent), m_clips(clips), m_settings(settings), m_toolPath(toolPath), m_jobsAtOnce(jobsAtOnce),
      m_done(clips.size(), false), m_clashes(std::make_unique<OutputClashes>(static_cast<const ClipList &>(*this)))
{
}

BatchRun::~BatchRun() = default;

void BatchRun::start()
{
    m_clock.start();
    startNext();
}

// Jobs that end at once (a refused clip) start the next one from within this loop, so it is
// guarded against running twice at the same time.
void BatchRun::startNext()
{
    while (!m_interrupted && m_running.size() < m_jobsAtOnce && m_next < m_clips.size()) {
        const int index = m_next++;
        auto *job = new ClipJob(m_toolPath, m_clips[index].source, m_clips[index].output, this);
        m_running.insert(index, job);
        connect(job, &ClipJob::progressed, this, [this, index, job](qint64 size) { emit clipProgressed(index, *job, size); });
        connect(job, &ClipJob::ended, this, [this, index, job] { jobEnded(index, job); }, Qt::QueuedConnection);
        emit clipStarted(index, *job);
        const QString clash = m_clashes->of(index);
        if (clash.isEmpty())
            job->start(m_settings, m_outputOptions);
        else
            job->fail(FailureReasons::reasonOfWarning(clash));
    }
    if (m_running.isEmpty())
        emit finished();
}

void BatchRun::jobEnded(int index, ClipJob *job)
{
    m_running.remove(index);
    // A job ends merged, failed, skipped or stopped; a stopped clip is not done.
    const ClipJob::State state = job->state();
    if (state == ClipJob::State::Merged)
        ++m_merged;
    else if (state == ClipJob::State::Failed)
        ++m_failed;
    else if (state == ClipJob::State::Skipped)
        ++m_skipped;
    m_done[index] = state != ClipJob::State::Stopped;
    emit clipEnded(index, *job);
    job->deleteLater();
    if (!m_interrupted || m_running.isEmpty())
        startNext();
}

void BatchRun::interrupt()
{
    if (m_interrupted)
        return;
    m_interrupted = true;
    const QList<ClipJob *> running = m_running.values();
    for (ClipJob *job : running)
        job->stop();
    if (m_running.isEmpty())
        emit finished();
}

QStringList BatchRun::notDone() const
{
    QStringList clips;
    for (qsizetype index = 0; index < m_clips.size(); ++index) {
        if (!m_done[index])
            clips.append(m_clips[index].source);
    }
    return clips;
}
