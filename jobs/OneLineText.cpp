// OneLineText: texts that a script writes on one line of its own.
#include "jobs/OneLineText.h"

bool holdsLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

QString oneLineText(const QString &text)
{
    if (!holdsLineBreak(text))
        return text;
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}
