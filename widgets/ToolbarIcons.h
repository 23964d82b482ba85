#pragma once

#include <QIcon>

// The tool-bar pictures, drawn in code so that they stay crisp at any scale, and the program icon.
QIcon addIcon();
QIcon editIcon();
QIcon removeIcon();
QIcon clearIcon();
QIcon startIcon();
QIcon stopIcon();
QIcon helpIcon();
QIcon programIcon();
