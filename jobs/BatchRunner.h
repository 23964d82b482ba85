#pragma once

#include "jobs/JobSettings.h"
#include "jobs/MergeTool.h"
#include "platform/UserPrompts.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

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

    BatchRunner(ClipList &clips, SettingsReader readSettings, QObject *parent = nullptr);
    ~BatchRunner() override;

    // The poll timer; disabled while no job runs.
    QTimer *Timer1 = nullptr;

    // "Start Merging" and "Stop Merging": a stop ends the batch once the current job has ended.
    void start();
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

private:
    enum class JobStart { Started, RowFailed, BatchFailed };

    void ProcessNextItem();
    JobStart startJob(int row);
    void finishJob(const QString &status);
    void endBatch(bool announce);
    void setRowStatus(const QString &status);
    void setProgressMaximum(qint64 maximum);
    void showWarning(const QString &text);

    ClipList &m_clips;
    SettingsReader m_readSettings;
    MergeTool m_tool;

    QStringList m_resultLines;
    qint64 m_lastSize = -1;
    int m_currentItem = -1;
    bool m_stopRequested = false;
    bool m_running = false;
    qint64 m_progressMaximum = 0;
    // The job in progress: its output as launched, and whether its row is still listed.
    QString m_jobOutputPath;
    bool m_jobRowListed = false;
    // Held while a batch runs: the scripts and the log in the working folder are ours.
    std::unique_ptr<QLockFile> m_folderLock;
};
