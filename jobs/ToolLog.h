#pragma once

#include <QByteArray>
#include <QStringList>

// The lines of the merge tool's log: 8-bit text that ends at a NUL byte, split at CR LF, CR or LF
// (a line break at the very end opens no further line).
QStringList toolLogLines(const QByteArray &log);

// Whether the log holds the tool's end mark "***".
bool hasEndMark(const QStringList &lines);
