#pragma once

#include "jobs/ScriptWriters.h"

#include <QList>

// What one clip's scripts are made from, read from the window's controls as the clip's job starts:
// changes made while a batch runs apply from the next clip on.
struct JobSettings
{
    QList<TimeEventRow> timeEvents;
    ClipInformation clipInformation;
    // Whether the click event is merged, and so whether a map script goes to the tool.
    bool withMap = false;
    ClickMap clickMap;

    bool operator==(const JobSettings &) const = default;
};
