#include "dialogs/TimeText.h"

#include "jobs/BrowserTargets.h"

#include <utility>

namespace {

// The text before the first separator (all of it when there is none) and the text after it.
std::pair<QString, QString> splitAt(const QString &text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    if (at < 0)
        return {text, QString()};
    return {text.left(at), text.mid(at + 1)};
}

} // namespace

TimeOfEvent parseTimeText(const QString &text)
{
    const auto [hours, afterHours] = splitAt(text, QLatin1Char(':'));
    const auto [minutes, afterMinutes] = splitAt(afterHours, QLatin1Char(':'));
    const auto [seconds, tenths] = splitAt(afterMinutes, QLatin1Char('.'));
    return {hours.toInt(), minutes.toInt(), seconds.toInt()};
}

QString browserTargetName(int index)
{
    return BrowserTargets::all.value(index, BrowserTargets::relatedInfoPane);
}

int browserTargetIndex(const QString &name)
{
    const qsizetype index = BrowserTargets::all.indexOf(name);
    return index < 0 ? 2 : int(index);
}
