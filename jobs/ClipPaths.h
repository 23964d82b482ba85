#pragma once

#include <QString>

// Index of the file name's first character: just after the last folder separator.
qsizetype fileNameStart(const QString &path);

// A folder's path in Qt's separators, ending with "/"; empty stays empty.
QString withTrailingSeparator(const QString &folder);

// One text for every spelling of a file, whether it exists yet or not: the file through links once
// it exists, else its folder through links once that exists, and its name.
QString fileIdentity(const QString &path);

// The extension of a path: from the last dot of its file name to the end, dot included, upper-cased
// (ASCII letters only); empty when the file name has no dot.
QString clipExtension(const QString &path);

// Whether Clipvane takes this path as a clip: ".RM", ".RMVB" or ".RA" in any letter case.
bool isClipPath(const QString &path);

// The default output beside the source: the source's folder, "Done_", the source's file name.
QString defaultOutputPath(const QString &sourcePath);
