#pragma once

#include <QObject>

#include <cstdio>

class BatchRun;
class ClipJob;
class StatusLine;

// What clipvane-batch prints while a run goes: a line per clip as it ends and a summary, or with
// --json one JSON object per line for each clip's start, progress and end, and the summary. Quiet
// leaves out all but failures and the summary. A status line on the terminal is kept below the
// lines.
class BatchReport : public QObject
{
    Q_OBJECT

public:
    BatchReport(const BatchRun &run, bool json, bool quiet, std::FILE *out, QObject *parent = nullptr);

    void printSummary(int exitStatus);
    void keepBelowLines(StatusLine &statusLine) { m_statusLine = &statusLine; }

private:
    void clipStarted(int index, const ClipJob &job);
    void clipProgressed(int index, const ClipJob &job, qint64 outputSize);
    void clipEnded(int index, const ClipJob &job);
    void printLine(const QByteArray &line);
    QString skippedText() const;

    const BatchRun &m_run;
    bool m_json;
    bool m_quiet;
    std::FILE *m_out;
    StatusLine *m_statusLine = nullptr;
};
