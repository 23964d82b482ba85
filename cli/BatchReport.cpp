#include "cli/BatchReport.h"

#include "cli/BatchRun.h"
#include "cli/StatusLine.h"
#include "jobs/ClipJob.h"
#include "jobs/RowStatus.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString statusText(ClipJob::State state)
{
    switch (state) {
    case ClipJob::State::Merged:
        return RowStatus::success;
    case ClipJob::State::Failed:
        return RowStatus::failure;
    case ClipJob::State::Skipped:
        return RowStatus::skipped;
    case ClipJob::State::Waiting:
    case ClipJob::State::Running:
    case ClipJob::State::Stopped:
        break;
    }
    return QStringLiteral("Not done");
}

QJsonObject clipEvent(const char *event, int index, const ClipJob &job)
{
    return {{QStringLiteral("event"), QLatin1String(event)},
            {QStringLiteral("index"), index},
            {QStringLiteral("source"), job.sourcePath()},
            {QStringLiteral("output"), job.outputPath()}};
}

QByteArray jsonLine(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

BatchReport::BatchReport(const BatchRun &run, bool json, bool quiet, std::FILE *out, QObject *parent)
    : QObject(parent), m_run(run), m_json(json), m_quiet(quiet), m_out(out)
{
    connect(&run, &BatchRun::clipStarted, this, &BatchReport::clipStarted);
    connect(&run, &BatchRun::clipProgressed, this, &BatchReport::clipProgressed);
    connect(&run, &BatchRun::clipEnded, this, &BatchReport::clipEnded);
}

void BatchReport::printLine(const QByteArray &line)
{
    if (m_statusLine)
        m_statusLine->hide();
    std::fwrite(line.constData(), 1, size_t(line.size()), m_out);
    std::fputc('\n', m_out);
    // A program reading the lines sees each as it happens.
    std::fflush(m_out);
    if (m_statusLine)
        m_statusLine->show();
}

void BatchReport::clipStarted(int index, const ClipJob &job)
{
    if (m_json && !m_quiet)
        printLine(jsonLine(clipEvent("start", index, job)));
}

void BatchReport::clipProgressed(int index, const ClipJob &job, qint64 outputSize)
{
    if (!m_json || m_quiet)
        return;
    QJsonObject event = clipEvent("progress", index, job);
    event.insert(QStringLiteral("bytes"), outputSize);
    event.insert(QStringLiteral("total"), job.sourceSize());
    event.insert(QStringLiteral("percent"),
                 job.sourceSize() > 0 ? int(qMin<qint64>(100, outputSize * 100 / job.sourceSize())) : 0);
    printLine(jsonLine(event));
}

void BatchReport::clipEnded(int index, const ClipJob &job)
{
    const bool failed = job.state() != ClipJob::State::Merged && job.state() != ClipJob::State::Skipped;
    if (m_quiet && !failed)
        return;
    const QString status = statusText(job.state());
    if (m_json) {
        QJsonObject event = clipEvent("end", index, job);
        event.insert(QStringLiteral("status"), status);
        if (failed) {
            event.insert(QStringLiteral("reason"), job.reason());
            event.insert(QStringLiteral("log"), QJsonArray::fromStringList(job.logLines()));
        }
        printLine(jsonLine(event));
        return;
    }
    const QString source = QDir::toNativeSeparators(job.sourcePath());
    const QString line = failed ? QStringLiteral("%1  %2: %3").arg(status, source, job.reason())
                                : QStringLiteral("%1  %2 -> %3").arg(status, source, QDir::toNativeSeparators(job.outputPath()));
    printLine(line.toLocal8Bit());
}

// Only a run that skips up-to-date clips counts them, so that other runs' summaries keep their words.
QString BatchReport::skippedText() const
{
    return m_run.skipsExisting() ? QStringLiteral("%1 skipped, ").arg(m_run.skippedCount()) : QString();
}

void BatchReport::printSummary(int exitStatus)
{
    const QStringList notDone = m_run.notDone();
    if (m_json) {
        printLine(jsonLine({{QStringLiteral("event"), QStringLiteral("summary")},
                            {QStringLiteral("merged"), m_run.mergedCount()},
                            {QStringLiteral("failed"), m_run.failedCount()},
                            {QStringLiteral("skipped"), m_run.skippedCount()},
                            {QStringLiteral("notDone"), QJsonArray::fromStringList(notDone)},
                            {QStringLiteral("seconds"), m_run.seconds()},
                            {QStringLiteral("exitStatus"), exitStatus}}));
        return;
    }
    printLine(QStringLiteral("%1 merged, %2%3 failed, %4 not done, in %5 s.")
                  .arg(m_run.mergedCount())
                  .arg(skippedText())
                  .arg(m_run.failedCount())
                  .arg(notDone.size())
                  .arg(m_run.seconds(), 0, 'f', 1)
                  .toLocal8Bit());
    for (const QString &clip : notDone)
        printLine(QStringLiteral("Not done  %1").arg(QDir::toNativeSeparators(clip)).toLocal8Bit());
}
