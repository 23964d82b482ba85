#include "jobs/BatchRunner.h"

#include "jobs/AppFolder.h"
#include "jobs/ClipList.h"
#include "jobs/FailureReasons.h"
#include "jobs/InputOutputError.h"
#include "jobs/JobFiles.h"
#include "jobs/JobScripts.h"
#include "jobs/OutputClash.h"
#include "jobs/OutputFreshness.h"
#include "jobs/RowStatus.h"
#include "jobs/ToolLog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>
#include <algorithm>

BatchRunner::BatchRunner(ClipList &clips, SettingsReader readSettings, QObject *parent)
    : QObject(parent), Timer1(new QTimer(this)), m_clips(clips), m_readSettings(std::move(readSettings))
{
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &BatchRunner::Timer1Timer);
}

BatchRunner::~BatchRunner() = default;

void BatchRunner::showWarning(const QString &text)
{
    emit messageRequested(QStringLiteral("Warning"), text, UserPrompts::Icon::Warning);
}

void BatchRunner::setProgressMaximum(qint64 maximum)
{
    m_progressMaximum = maximum;
    emit progressMaximumChanged(maximum);
}

void BatchRunner::start()
{
    startBatch(std::nullopt);
}

void BatchRunner::start(const QList<int> &rows)
{
    startBatch(rows);
}

void BatchRunner::startBatch(std::optional<QList<int>> rows)
{
    if (m_running)
        return;
    if (rows) {
        rows->removeIf([this](int row) { return row < 0 || row >= m_clips.rowCount(); });
        std::sort(rows->begin(), rows->end());
        rows->erase(std::unique(rows->begin(), rows->end()), rows->end());
    }
    if (rows ? rows->isEmpty() : m_clips.rowCount() == 0) {
        emit messageRequested(QCoreApplication::applicationName(), QStringLiteral(" Not file to be processed "),
                              UserPrompts::Icon::None);
        return;
    }
    auto lock = std::make_unique<QLockFile>(workingFolder() + JobFiles::folderLock);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        showWarning(QStringLiteral("Another Clipvane is merging clips in this working folder. "
                                   "Please wait until its batch has finished."));
        return;
    }
    m_folderLock = std::move(lock);
    m_onlyRows = std::move(rows);
    if (m_onlyRows) {
        for (int row : *m_onlyRows)
            m_clips.setStatus(row, RowStatus::toBeProcessed);
    }
    m_running = true;
    emit runningChanged(true);
    m_stopRequested = false;
    m_currentItem = -1;
    ProcessNextItem();
}

// The runner follows its row: rows removed before it shift its index, and a removed row in
// progress finishes its job unlisted, after which the batch goes on with the row that followed it.
void BatchRunner::rowRemoved(int row)
{
    if (!m_running)
        return;
    if (row <= m_currentItem) {
        if (row == m_currentItem)
            m_jobRowListed = false;
        --m_currentItem;
    }
    if (m_onlyRows) {
        m_onlyRows->removeAll(row);
        for (int &chosen : *m_onlyRows) {
            if (chosen > row)
                --chosen;
        }
    }
}

void BatchRunner::ProcessNextItem()
{
    for (;;) {
        m_currentItem = nextRow(m_currentItem);
        if (m_currentItem > m_clips.rowCount() - 1 || m_stopRequested) {
            endBatch(true);
            return;
        }
        switch (startJob(m_currentItem)) {
        case JobStart::Started:
            return;
        case JobStart::RowFailed:
            reportJob(RowStatus::failure, m_jobRefusal);
            continue;
        case JobStart::Skipped:
            reportJob(RowStatus::skipped, QString());
            continue;
        case JobStart::BatchFailed:
            reportJob(RowStatus::failure, m_jobRefusal);
            endBatch(false);
            return;
        }
    }
}

// Rows added while a batch of only some rows runs are not among them.
int BatchRunner::nextRow(int row) const
{
    if (!m_onlyRows)
        return row + 1;
    for (int chosen : *m_onlyRows) {
        if (chosen > row)
            return chosen;
    }
    return m_clips.rowCount();
}

// Every refusal shows its message; a missing tool or an unwritable script would fail every
// further row too, so they end the batch.
BatchRunner::JobStart BatchRunner::startJob(int row)
{
    m_lastSize = -1;
    m_jobRowListed = true;
    m_jobStarted = QDateTime::currentDateTime();
    m_jobTime.start();
    m_jobRefusal.clear();
    const QString source = m_clips.sourcePath(row);
    const QString output = m_clips.outputPath(row);
    m_jobSourcePath = source;
    const JobSettings settings = m_readSettings();
    const OutputRule rule = m_readOutputRule();
    m_jobKeepsDate = rule.keepDate;
    setProgressMaximum(MergeTool::MeasureFile(source));
    try {
        WriteEvents(workingFolder(), settings);
        if (settings.withMap)
            WriteMap(workingFolder(), settings);
    } catch (const InputOutputError &error) {
        m_jobRefusal = error.message();
        emit messageRequested(QStringLiteral("Error"), error.message(), UserPrompts::Icon::Error);
        return JobStart::BatchFailed;
    }
    const QString clash = OutputClashes(m_clips).of(row);
    if (!clash.isEmpty()) {
        refuse(clash);
        return JobStart::RowFailed;
    }
    // Only a clip the tool would take is passed over: a missing source or an output that is the
    // source itself is still said.
    if (rule.skipExisting
        && MergeTool::checkLaunch(MergeTool::toolPath(programFolder()), source, output) == MergeTool::Launch::Started
        && isOutputUpToDate(source, output))
        return JobStart::Skipped;
    switch (m_tool.RunMergeTool(source, output, settings.withMap)) {
    case MergeTool::Launch::Started:
        m_jobOutputPath = output;
        Timer1->start();
        return JobStart::Started;
    case MergeTool::Launch::SourceMissing:
        m_jobRefusal = FailureReasons::sourceMissing;
        showWarning(QStringLiteral("Source file is not exist!"));
        return JobStart::RowFailed;
    case MergeTool::Launch::OutputIsSource:
        refuse(FailureReasons::outputWarning(FailureReasons::outputIsSource, source));
        return JobStart::RowFailed;
    case MergeTool::Launch::ToolMissing:
        break;
    }
    m_jobRefusal = FailureReasons::toolMissing;
    showWarning(QStringLiteral("Some files are missing, please reinstall this application!"));
    return JobStart::BatchFailed;
}

void BatchRunner::endBatch(bool announce)
{
    if (announce)
        emit messageRequested(QStringLiteral("Notice"), QStringLiteral("Processing finish!"),
                              UserPrompts::Icon::Warning);
    Timer1->stop();
    setProgressMaximum(0);
    m_running = false;
    m_folderLock.reset();
    emit runningChanged(false);
}

void BatchRunner::setRowStatus(const QString &status)
{
    if (m_jobRowListed)
        m_clips.setStatus(m_currentItem, status);
}

void BatchRunner::reportJob(const QString &status, const QString &reason, const QStringList &toolLog)
{
    setRowStatus(status);
    emit jobFinished(m_jobRowListed ? m_currentItem : -1,
                     JobRecord{m_jobSourcePath, m_jobStarted, m_jobTime.elapsed(), status, toolLog, reason});
}

// A refusal's warning says what is wrong and names the file on its first two lines, then advises:
// the row keeps the first two as its reason, in one line.
void BatchRunner::refuse(const QString &warning)
{
    m_jobRefusal = FailureReasons::reasonOfWarning(warning);
    showWarning(warning);
}

void BatchRunner::Timer1Timer()
{
    // A tick queued before the batch ended has no job to look at.
    if (!m_running)
        return;
    // No tick may start while this one runs, even while a message box opened in it waits.
    disconnect(Timer1, &QTimer::timeout, this, &BatchRunner::Timer1Timer);

    const qint64 size = MergeTool::MeasureFile(m_jobOutputPath);
    if (size == m_lastSize) {
        // Asked before the log is read: a tool that wrote its end mark and then ended is not
        // mistaken for one that ended without it.
        const bool toolEnded = !m_tool.isRunning();
        m_resultLines = m_tool.readLog();
        if (hasEndMark(m_resultLines))
            finishEndedJob();
        else if (toolEnded)
            finishJob(RowStatus::failure, FailureReasons::noEndMark);
    } else {
        setRowStatus(RowStatus::processing);
    }
    m_lastSize = size;
    if (size <= m_progressMaximum)
        emit progressChanged(size);

    connect(Timer1, &QTimer::timeout, this, &BatchRunner::Timer1Timer);
    if (Timer1->isActive())
        Timer1->start();
}

// The tool has ended with its end mark: the clip is merged when its output is there, and with it
// the source's date when the rule asks for it.
void BatchRunner::finishEndedJob()
{
    if (!QFileInfo::exists(m_jobOutputPath))
        finishJob(RowStatus::failure);
    else if (m_jobKeepsDate && !takeSourceDate(m_jobSourcePath, m_jobOutputPath))
        finishJob(RowStatus::failure, FailureReasons::reasonAbout(FailureReasons::sourceDateNotKept, m_jobOutputPath));
    else
        finishJob(RowStatus::success);
}

// The log is read into the record before it goes: the next job's log takes its place.
void BatchRunner::finishJob(const QString &status, const QString &reason)
{
    emit progressChanged(m_progressMaximum);
    reportJob(status, reason, linesBeforeEndMark(m_resultLines));
    m_tool.removeLog();
    Timer1->stop();
    ProcessNextItem();
}
