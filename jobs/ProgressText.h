// ProgressText: how far a run of many clips has come, in one short line.
#pragma once

#include <QString>
#include <optional>

// "about 40 s left", "about 3 min left", "about 2 h 5 min left": seconds rounded up, minutes to
// the nearest; never less than one of its unit.
QString timeLeftText(qint64 seconds);

// "[ 37/1000]  4%  about 3 min left": the clips done (padded, so that the line keeps its width as
// the count grows) of all, the percentage of the bytes done and, once it can be told, the time left.
QString batchStatusLine(int done, int all, int percent, std::optional<qint64> secondsLeft);
