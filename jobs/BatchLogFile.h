#pragma once

#include <QString>
#include <QStringList>

// The batch log in the working folder, for a person to read or send on: the entries of every
// batch, newest last, in UTF-8.
namespace BatchLogFile {

// Past this size the file is cut back to its newest half, so that it never grows without end.
inline constexpr qint64 sizeLimit = qint64(1) << 20;

// Appends the lines, each ending with a line break. A file that so passes the limit keeps only its
// newest whole lines that fit into half of it (the newest line at least, however long). Throws
// InputOutputError, carrying the system's error text, when the file can't be written; a cut goes
// through a new file, so a failure never leaves the log half-cut.
void append(const QString &path, const QStringList &lines, qint64 limit = sizeLimit);

} // namespace BatchLogFile
