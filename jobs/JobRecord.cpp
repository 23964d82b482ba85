#include "jobs/JobRecord.h"

#include <QDir>

QStringList jobDetails(const JobRecord &record)
{
    QStringList lines = record.toolLog;
    if (!record.reason.isEmpty())
        lines.prepend(record.reason);
    return lines;
}

QStringList batchLogEntry(const JobRecord &record)
{
    QStringList lines{QStringLiteral("%1  %2  %3 s  %4")
                          .arg(record.started.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), record.status,
                               QString::number(double(record.milliseconds) / 1000.0, 'f', 1),
                               QDir::toNativeSeparators(record.sourcePath))};
    for (const QString &line : jobDetails(record))
        lines.append(QStringLiteral("    ") + line);
    return lines;
}
