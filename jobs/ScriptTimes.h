#pragma once

#include <QString>
#include <optional>

// A time as the scripts and the window's fields hold it: hours, minutes and seconds.
struct HoursMinutesSeconds
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// Whole seconds split into hours, minutes and seconds below 60, except that at the limit of the
// hours minutes and seconds take up to 60 each, as the fields allow. Nothing when longer still.
std::optional<HoursMinutesSeconds> splitSeconds(qint64 seconds, int maxHours);

// A time event's "HH:MM:SS.T", two digits each.
QString timeText(const HoursMinutesSeconds &time, qint64 tenths = 0);

// Tenths of a second as a time event's "HH:MM:SS.T", hours up to the limit (60 in the scripts);
// nothing when longer.
std::optional<QString> eventTimeText(qint64 tenths, int maxHours);
