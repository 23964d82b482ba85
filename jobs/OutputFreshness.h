// OutputFreshness: whether a merged clip is up to date, and giving it its source's date.
#pragma once

#include <QString>

// Whether the output is a file whose modification time is its source's or newer, so that merging
// the clip again would give nothing new. An output given its source's date counts as up to date.
bool isOutputUpToDate(const QString &sourcePath, const QString &outputPath);

// Gives the file its source's modification time; false when either can't be reached or the file
// system refuses.
bool takeSourceDate(const QString &sourcePath, const QString &path);
