#pragma once

#include <QObject>
#include <QStringList>

#include <cstdio>

class BatchRun;
class ClipJob;

// What clipvane-batch prints while a run goes: a line per clip as it ends and a summary, or with
// --json one JSON object per line for each clip's start, progress and end, and the summary. Quiet
// leaves out all but failures and the summary.
class BatchReport : public QObject
{
    Q_OBJECT

public:
    BatchReport(const BatchRun &run, bool json, bool quiet, std::FILE *out, QObject *parent = nullptr);

    // The SourceFile texts of the values table's rows that named no clip of the run, for the
    // JSON summary.
    void setUnmatchedRows(const QStringList &rows) { m_unmatchedRows = rows; }
    void printSummary(int exitStatus);

private:
    void clipStarted(int index, const ClipJob &job);
    void clipProgressed(int index, const ClipJob &job, qint64 outputSize);
    void clipEnded(int index, const ClipJob &job);
    void printLine(const QByteArray &line);

    const BatchRun &m_run;
    bool m_json;
    bool m_quiet;
    std::FILE *m_out;
    QStringList m_unmatchedRows;
};
