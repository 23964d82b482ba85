// StatusLine: the line at the bottom of a terminal that tells how far a run has come.
#include "cli/StatusLine.h"

#include "cli/BatchRun.h"
#include "jobs/ClipJob.h"
#include "jobs/MergeTool.h"
#include "jobs/ProgressText.h"

#include <cmath>
#include <optional>

namespace {

// Progress comes every quarter second from each running clip; a person needs fewer redraws.
const int redrawInterval = 200;

} // namespace

StatusLine::StatusLine(const BatchRun &run, const QList<BatchClip> &clips, std::FILE *terminal, QObject *parent)
    : QObject(parent), m_run(run), m_terminal(terminal)
{
    for (const BatchClip &clip : clips) {
        m_sourceSizes << MergeTool::MeasureFile(clip.source);
        m_allBytes += m_sourceSizes.last();
    }
    connect(&run, &BatchRun::clipStarted, this, [this] { draw(true); });
    connect(&run, &BatchRun::clipProgressed, this,
            [this](int index, const ClipJob &, qint64 outputSize) { clipProgressed(index, outputSize); });
    connect(&run, &BatchRun::clipEnded, this, &StatusLine::clipEnded);
    connect(&run, &BatchRun::finished, this, &StatusLine::finish);
}

void StatusLine::clipProgressed(int index, qint64 outputSize)
{
    // A merged clip is larger than its source; the source's bytes are the measure of the work.
    m_running[index] = qMin(outputSize, m_sourceSizes[index]);
    draw(false);
}

void StatusLine::clipEnded(int index, const ClipJob &job)
{
    m_running.remove(index);
    if (job.state() == ClipJob::State::Stopped)
        return;
    ++m_done;
    m_doneBytes += m_sourceSizes[index];
    if (job.state() == ClipJob::State::Skipped)
        m_skippedBytes += m_sourceSizes[index];
    draw(true);
}

void StatusLine::finish()
{
    hide();
    m_finished = true;
}

void StatusLine::hide()
{
    if (m_shownWidth == 0)
        return;
    write('\r' + QByteArray(m_shownWidth, ' ') + '\r');
    m_shownWidth = 0;
}

void StatusLine::show()
{
    draw(true);
}

// The time left comes from the pace of the bytes merged so far in this run.
void StatusLine::draw(bool always)
{
    if (m_finished || (!always && m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < redrawInterval))
        return;
    m_sinceDrawn.start();
    qint64 runningBytes = 0;
    for (const qint64 bytes : std::as_const(m_running))
        runningBytes += bytes;
    const qint64 bytesDone = m_doneBytes + runningBytes;
    const qint64 bytesMerged = bytesDone - m_skippedBytes;
    const double seconds = m_run.seconds();
    const int clips = int(m_sourceSizes.size());
    const int percent = m_allBytes > 0 ? int(bytesDone * 100 / m_allBytes) : (clips > 0 ? m_done * 100 / clips : 100);
    std::optional<qint64> secondsLeft;
    if (bytesMerged > 0 && seconds > 0 && m_done < clips)
        secondsLeft = qint64(std::ceil(double(m_allBytes - bytesDone) * seconds / double(bytesMerged)));
    const QByteArray line = batchStatusLine(m_done, clips, percent, secondsLeft).toLocal8Bit();
    // Blanks cover what is left of a longer line before it.
    const int blanks = qMax(0, m_shownWidth - int(line.size()));
    write('\r' + line + QByteArray(blanks, ' '));
    m_shownWidth = int(line.size()) + blanks;
}

void StatusLine::write(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_terminal);
    std::fflush(m_terminal);
}
