// Placeholders: the per-clip words in braces that a batch's texts are filled with.
#pragma once

#include <QDate>
#include <QMap>
#include <QString>

// Where a clip stands in its batch: what every placeholder but the table's columns comes from.
struct ClipPlace
{
    QString path;     // the clip's full path
    int index = 1;    // its position in the batch, from 1, in list order
    QDate batchDate;  // the local day the batch started
};

// How a filled value is written: as it is, or percent-encoded as UTF-8 for a URL.
enum class FilledAs { Text, Url };

// Fills {name}, {file}, {ext}, {folder}, {index}, {date} from the clip's place and {Column} from
// its cells of the values table's own columns (names matched without regard to letter case; the
// built-in names win over a column of the same name). Anything else in braces stays as written,
// a line break in a filled value becomes a space, and a text without placeholders comes back
// unchanged.
QString fillPlaceholders(const QString &text, const ClipPlace &place, const QMap<QString, QString> &columnCells,
                         FilledAs as);
