#pragma once

#include "jobs/JobRecord.h"
#include "jobs/JobSettings.h"
#include "jobs/MergeTool.h"
#include "jobs/OutputRule.h"
#include "platform/UserPrompts.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class ClipList;
class QLockFile;
class QTimer;

// Drives the merge tool over the rows of a clip list, one clip at a time: writes the clip's
// scripts from the settings as they stand when its job starts, launches the tool, and polls every
// 500 ms until the output has stopped growing and the log holds the end mark. Runs on the UI
// thread; what it has to say goes out as signals, whose receivers may show modal windows.
class BatchRunner : public QObject
{
    Q_OBJECT

public:
    using SettingsReader = std::function<JobSettings()>;
    using OutputRuleReader = std::function<OutputRule()>;

    BatchRunner(ClipList &clips, SettingsReader readSettings, QObject *parent = nullptr);
    ~BatchRunner() override;

    // Where each job finds the output rule's skipExisting and keepDate, read as the job starts like
    // its settings; without it both are off.
    void readOutputRuleWith(OutputRuleReader readOutputRule) { m_readOutputRule = std::move(readOutputRule); }

    // The poll timer; disabled while no job runs.
    QTimer *Timer1 = nullptr;

    // "Start Merging" and "Stop Merging": a stop ends the batch once the current job has ended.
    void start();
    // A batch of these rows only (rows failed before, to retry), each first set back to
    // "To be processed".
    void start(const QList<int> &rows);
    void requestStop() { m_stopRequested = true; }
    // The list is about to lose this row: the runner follows its own row.
    void rowRemoved(int row);

    // One poll of the job in progress.
    void Timer1Timer();

    bool isRunning() const { return m_running; }
    qint64 toolProcessId() const { return m_tool.processId(); }
    QString jobOutputPath() const { return m_jobOutputPath; }
    qint64 lastSize() const { return m_lastSize; }
    int currentItem() const { return m_currentItem; }
    // The log's lines as the last poll read them.
    const QStringList &resultLines() const { return m_resultLines; }

signals:
    void runningChanged(bool running);
    // The gauge: its maximum (the source's size, 0 when idle) and its progress (the output's size).
    void progressMaximumChanged(qint64 maximum);
    void progressChanged(qint64 progress);
    // A message for a person; returns once it has been read.
    void messageRequested(const QString &title, const QString &text, UserPrompts::Icon icon);
    // A row has its final status; its row is -1 when it was removed from the list meanwhile.
    void jobFinished(int row, const JobRecord &record);

private:
    enum class JobStart { Started, RowFailed, BatchFailed, Skipped };

    void startBatch(std::optional<QList<int>> rows);
    void ProcessNextItem();
    int nextRow(int row) const;
    JobStart startJob(int row);
    void finishJob(const QString &status, const QString &reason = QString());
    void finishEndedJob();
    void reportJob(const QString &status, const QString &reason, const QStringList &toolLog = {});
    void endBatch(bool announce);
    void setRowStatus(const QString &status);
    void setProgressMaximum(qint64 maximum);
    void showWarning(const QString &text);
    void refuse(const QString &warning);

    ClipList &m_clips;
    SettingsReader m_readSettings;
    OutputRuleReader m_readOutputRule = [] { return OutputRule(); };
    MergeTool m_tool;

    QStringList m_resultLines;
    qint64 m_lastSize = -1;
    int m_currentItem = -1;
    bool m_stopRequested = false;
    bool m_running = false;
    qint64 m_progressMaximum = 0;
    // The rows of a batch started with only some rows, in list order; none: every row.
    std::optional<QList<int>> m_onlyRows;
    // The job in progress: its source and output as launched, when it started, whether its row is
    // still listed, and why it could not start.
    QString m_jobSourcePath;
    QString m_jobOutputPath;
    QDateTime m_jobStarted;
    QElapsedTimer m_jobTime;
    bool m_jobRowListed = false;
    QString m_jobRefusal;
    bool m_jobKeepsDate = false;
    // Held while a batch runs: the scripts and the log in the working folder are ours.
    std::unique_ptr<QLockFile> m_folderLock;
};
