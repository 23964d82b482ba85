#pragma once

#include <QString>

// Lets the Windows font name that the window and its language file use ("MS Sans Serif") find a
// font of close widths where Windows' own fonts are missing, so that captions laid out for it
// still fit. The name itself stays what the program and the language file say.
void substituteWindowsFonts();

// The font that stands in for "MS Sans Serif" where it is missing (Debian: fonts-liberation).
// Liberation Sans has Arial's widths, a few per cent wider than MS Sans Serif; the other sans
// fonts of Linux desktops are wider still and cut the captions.
inline const QString msSansSerifStandIn = QStringLiteral("Liberation Sans");
