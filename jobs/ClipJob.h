#pragma once

#include "jobs/JobSettings.h"

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// One clip's merge in a private folder of its own: the clip's scripts are written there, the
// bundled tool runs there with its log, and the folder is removed with the job, so that any
// number of jobs, runs and windows can work side by side. The job ends as soon as the tool has
// ended and its log is read; the output's size is only watched for progress.
class ClipJob : public QObject
{
    Q_OBJECT

public:
    enum class State { Waiting, Running, Merged, Failed, Stopped };

    ClipJob(const QString &toolPath, const QString &sourcePath, const QString &outputPath, QObject *parent = nullptr);

    // Writes the scripts and launches the tool; a job that can't start ends at once, failed.
    void start(const JobSettings &settings);
    // Ends the job from outside: its tool is stopped and an output it had begun is removed.
    void stop();

    // A job that fails before its tool runs: it ends at once with this reason.
    void fail(const QString &reason);

    State state() const { return m_state; }
    QString sourcePath() const { return m_sourcePath; }
    QString outputPath() const { return m_outputPath; }
    qint64 sourceSize() const { return m_sourceSize; }
    // The tool's log lines, and for a failed job its one-line reason.
    const QStringList &logLines() const { return m_logLines; }
    QString reason() const { return m_reason; }

signals:
    void progressed(qint64 outputSize);
    // Emitted once, when the job has ended in any way.
    void ended();

private:
    void toolFinished();
    void end(State state);
    void watchOutput();

    QString m_toolPath;
    QString m_sourcePath;
    QString m_outputPath;
    qint64 m_sourceSize = 0;
    qint64 m_lastSize = -1;
    State m_state = State::Waiting;
    QStringList m_logLines;
    QString m_reason;
    QTemporaryDir m_folder;
    QProcess m_process;
    QTimer m_progressTimer;
};
