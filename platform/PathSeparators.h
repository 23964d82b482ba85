#pragma once

#include <QChar>

// Whether this character separates folders in a path: "/" on Linux (where ":" and "\" are
// ordinary file-name characters); "\", "/" and the drive colon on Windows.
inline bool isPathSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':');
#else
    return c == QLatin1Char('/');
#endif
}
