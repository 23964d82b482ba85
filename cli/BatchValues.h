// BatchValues: the values table of a run laid over its clips, and each clip's settings from it.
#pragma once

#include "cli/BatchRun.h"
#include "cli/BatchSources.h"
#include "jobs/Profile.h"
#include "jobs/ValuesTable.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct RunValues
{
    ValuesMatch match;
    // What a person should know of the table besides its unmatched rows: read as Windows-1252,
    // and, when it has no "*" row, the clips that no row names.
    QStringList notes;
};

// Reads the table given with --values and lays it over the run's clips. Throws ValuesTableError
// when the table is refused.
RunValues readRunValues(const QString &tablePath, const QList<FoundClip> &sources);

// The clips of a run with the profile's settings, each clip's own values over them, filled for
// its place: its position from 1 in list order and the day the run started. Clips past the end
// of values.clips (all of them when no table was given) take the profile's texts, filled.
QList<BatchClip> batchClips(const Profile &profile, const QList<FoundClip> &sources, const ValuesMatch &values,
                            const QDate &batchDate);
