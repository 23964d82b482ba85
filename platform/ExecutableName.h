#pragma once

#include <QString>

// The file name of an executable with this base name: "rmevents.exe" on Windows, "rmevents" elsewhere.
inline QString executableFileName(const QString &baseName)
{
#ifdef Q_OS_WIN
    return baseName + QLatin1String(".exe");
#else
    return baseName;
#endif
}
