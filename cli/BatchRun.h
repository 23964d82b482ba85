#pragma once

#include "jobs/ClipList.h"
#include "jobs/JobSettings.h"
#include "jobs/OutputRule.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <memory>

class ClipJob;
class OutputClashes;

// A clip of the run and where its merged clip goes.
struct BatchClip
{
    QString source;
    QString output;
};

// Runs the clips' jobs, up to a number at once, in list order. A clip whose output would write
// over a clip of the run fails at its turn without a job; the others go on.
class BatchRun : public QObject, private ClipList
{
    Q_OBJECT

public:
    BatchRun(const QList<BatchClip> &clips, const JobSettings &settings, const QString &toolPath, int jobsAtOnce,
             QObject *parent = nullptr);
    ~BatchRun() override;

    // The output rule's skipExisting and keepDate, for every clip's job; both off unless set.
    void setOutputOptions(const OutputRule &rule) { m_outputOptions = rule; }
    bool skipsExisting() const { return m_outputOptions.skipExisting; }

    void start();
    // Stops the running jobs, removing what they had begun to write, and starts no other.
    void interrupt();

    int mergedCount() const { return m_merged; }
    int failedCount() const { return m_failed; }
    int skippedCount() const { return m_skipped; }
    // The clips not merged, skipped nor failed: stopped, or never started.
    QStringList notDone() const;
    double seconds() const { return m_clock.elapsed() / 1000.0; }

signals:
    void clipStarted(int index, const ClipJob &job);
    void clipProgressed(int index, const ClipJob &job, qint64 outputSize);
    void clipEnded(int index, const ClipJob &job);
    void finished();

private:
    int rowCount() const override { return int(m_clips.size()); }
    QString sourcePath(int row) const override { return m_clips[row].source; }
    QString outputPath(int row) const override { return m_clips[row].output; }
    void setStatus(int, const QString &) override {}

    void startNext();
    void jobEnded(int index, ClipJob *job);

    QList<BatchClip> m_clips;
    JobSettings m_settings;
    QString m_toolPath;
    int m_jobsAtOnce;
    int m_next = 0;
    int m_merged = 0;
    int m_failed = 0;
    int m_skipped = 0;
    OutputRule m_outputOptions;
    bool m_interrupted = false;
    QList<bool> m_done;
    QMap<int, ClipJob *> m_running;
    QElapsedTimer m_clock;
    // The run's clips are fixed, so their paths are looked up once for all.
    std::unique_ptr<OutputClashes> m_clashes;
};
