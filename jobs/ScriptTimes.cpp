#include "jobs/ScriptTimes.h"

#include <algorithm>

std::optional<HoursMinutesSeconds> splitSeconds(qint64 seconds, int maxHours)
{
    if (seconds < 0)
        return std::nullopt;
    const qint64 hours = std::min<qint64>(seconds / 3600, maxHours);
    const qint64 belowHours = seconds - hours * 3600;
    const qint64 minutes = std::min<qint64>(belowHours / 60, 60);
    const qint64 belowMinutes = belowHours - minutes * 60;
    if (belowMinutes > 60)
        return std::nullopt;
    return HoursMinutesSeconds{int(hours), int(minutes), int(belowMinutes)};
}

std::optional<QString> eventTimeText(qint64 tenths, int maxHours)
{
    const std::optional<HoursMinutesSeconds> time = splitSeconds(tenths / 10, maxHours);
    if (!time)
        return std::nullopt;
    return timeText(*time, tenths % 10);
}

QString timeText(const HoursMinutesSeconds &time, qint64 tenths)
{
    return QStringLiteral("%1:%2:%3.%4")
        .arg(time.hours, 2, 10, QLatin1Char('0'))
        .arg(time.minutes, 2, 10, QLatin1Char('0'))
        .arg(time.seconds, 2, 10, QLatin1Char('0'))
        .arg(tenths);
}
