// StatusLine: the line at the bottom of a terminal that tells how far a run has come.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <cstdio>

class BatchRun;
class ClipJob;
struct BatchClip;

// Redrawn in place as clips progress and end: the clips done of all, the percentage of the bytes
// and the time left. The per-clip lines go above it: the report hides it for each line and shows
// it again. It is erased when the run has finished, and never drawn afterwards.
class StatusLine : public QObject
{
    Q_OBJECT

public:
    StatusLine(const BatchRun &run, const QList<BatchClip> &clips, std::FILE *terminal, QObject *parent = nullptr);

    void hide();
    void show();

private:
    void clipProgressed(int index, qint64 outputSize);
    void clipEnded(int index, const ClipJob &job);
    void finish();
    void draw(bool always);
    void write(const QByteArray &bytes);

    const BatchRun &m_run;
    std::FILE *m_terminal;
    QList<qint64> m_sourceSizes;
    qint64 m_allBytes = 0;
    int m_done = 0;
    // The bytes of the clips that have ended, those of the skipped among them, which took no
    // time, and how far each running clip has come.
    qint64 m_doneBytes = 0;
    qint64 m_skippedBytes = 0;
    QMap<int, qint64> m_running;
    int m_shownWidth = 0;
    bool m_finished = false;
    QElapsedTimer m_sinceDrawn;
};
