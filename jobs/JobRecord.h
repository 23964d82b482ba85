#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// What became of one clip's job, kept once its row is finished: the row shows it and the batch
// log lists it.
struct JobRecord
{
    QString sourcePath;
    QDateTime started;
    qint64 milliseconds = 0;
    QString status;
    // The lines the merge tool wrote into its log for this clip, up to its end mark; none when it
    // did not run.
    QStringList toolLog;
    // Why the row failed, in one line, when the runner found it itself: the tool never ran or ended
    // without finishing its log. Empty when the tool's log tells.
    QString reason;
};

// What a finished row says about itself: the runner's reason first, when it has one, then the
// tool's log lines.
QStringList jobDetails(const JobRecord &record);

// The record as the batch log lists it: a line with its start, status, duration and source, then
// its details, indented.
QStringList batchLogEntry(const JobRecord &record);
