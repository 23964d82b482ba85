// FileRow: one row of the file list, whole.
#pragma once

#include "jobs/ClipValues.h"

#include <QString>
#include <QStringList>

// Everything a row of the file list holds, so that a row taken out can be put back as it was.
struct FileRow
{
    QString sourcePath;
    QString outputPath;
    QString status;
    bool outputSetByHand = false;
    // The folder the clip was found below, which the output rule may mirror.
    QString addedFolder;
    // What became of the row's last job, one item a line.
    QStringList details;
    // The clip's own values, which go with its row.
    ClipValues values;

    bool operator==(const FileRow &) const = default;
};
