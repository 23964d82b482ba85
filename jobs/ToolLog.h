#pragma once

#include <QByteArray>
#include <QStringList>

// The lines of the merge tool's log: 8-bit text that ends at a NUL byte, split at CR LF, CR or LF
// (a line break at the very end opens no further line).
QStringList toolLogLines(const QByteArray &log);

// Whether the log holds the tool's end mark "***".
bool hasEndMark(const QStringList &lines);

// The lines before the end mark: what the tool has to say about the clip.
QStringList linesBeforeEndMark(const QStringList &lines);

// Why the tool failed, in one line: its "Failed: " line without that word, else the last line
// before the end mark, else a note that the log says nothing.
QString toolFailureReason(const QStringList &lines);
