#pragma once

#include "jobs/JobSettings.h"
#include "jobs/OutputRule.h"

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// One clip's merge in a private folder of its own: the clip's scripts are written there, the
// bundled tool runs there with its log, and the folder is removed with the job, so that any
// number of jobs, runs and windows can work side by side. The job ends as soon as the tool has
// ended and its log is read; the output's size is only watched for progress.
// The tool writes a hidden part file beside the output, which takes the output's name only once
// the tool has ended with its end mark: a run killed at any moment leaves no half clip under an
// output's name, and an older output stays whole until the new one replaces it.
class ClipJob : public QObject
{
    Q_OBJECT

public:
    enum class State { Waiting, Running, Merged, Failed, Stopped, Skipped };

    ClipJob(const QString &toolPath, const QString &sourcePath, const QString &outputPath, QObject *parent = nullptr);

    // Writes the scripts and launches the tool; a job that can't start ends at once, failed. A part
    // file an earlier run left is removed first. The rule's skipExisting ends the job at once,
    // skipped, when the output is up to date; its keepDate gives the merged clip the source's date.
    void start(const JobSettings &settings, const OutputRule &rule = OutputRule());
    // Ends the job from outside: its tool is stopped and the part file it had begun is removed.
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
    void putOutputInPlace();
    void end(State state);
    void watchOutput();

    QString m_toolPath;
    QString m_sourcePath;
    QString m_outputPath;
    QString m_partPath;
    bool m_keepDate = false;
    qint64 m_sourceSize = 0;
    qint64 m_lastSize = -1;
    State m_state = State::Waiting;
    QStringList m_logLines;
    QString m_reason;
    QTemporaryDir m_folder;
    QProcess m_process;
    QTimer m_progressTimer;
};
