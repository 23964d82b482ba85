#pragma once

#include "jobs/ScriptTimes.h"

#include <QString>

// A time of a time event: hours, minutes and seconds, each 0 to 60, written "HH:MM:SS.0" by timeText.
using TimeOfEvent = HoursMinutesSeconds;

// Reads a time text: hours up to the first ":", minutes up to the next ":", seconds up to the
// first "." after that; a piece that is no number reads as 0.
TimeOfEvent parseTimeText(const QString &text);

// The stored name of a browser target by its index in the dialog, and back.
QString browserTargetName(int index);
int browserTargetIndex(const QString &name);
