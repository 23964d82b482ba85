// ProgressText: how far a run of many clips has come, in one short line.
#include "jobs/ProgressText.h"

#include <QtGlobal>

namespace {

// Room for up to 999 clips done before the line grows.
const int doneWidth = 3;

} // namespace

QString timeLeftText(qint64 seconds)
{
    if (seconds < 60)
        return QStringLiteral("about %1 s left").arg(qMax<qint64>(1, seconds));
    const qint64 minutes = (seconds + 30) / 60;
    if (minutes < 60)
        return QStringLiteral("about %1 min left").arg(minutes);
    if (minutes % 60 == 0)
        return QStringLiteral("about %1 h left").arg(minutes / 60);
    return QStringLiteral("about %1 h %2 min left").arg(minutes / 60).arg(minutes % 60);
}

QString batchStatusLine(int done, int all, int percent, std::optional<qint64> secondsLeft)
{
    QString line = QStringLiteral("[%1/%2]  %3%").arg(done, doneWidth).arg(all).arg(percent);
    if (secondsLeft)
        line += QLatin1String("  ") + timeLeftText(*secondsLeft);
    return line;
}
