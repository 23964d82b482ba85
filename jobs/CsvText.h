// CsvText: comma-separated text as spreadsheets write it, split into rows of cells and back.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// A file's bytes as text: UTF-8 (a byte-order mark dropped), or, when they are not valid UTF-8,
// Windows-1252.
struct CsvDecoded
{
    QString text;
    bool windows1252 = false;
};
CsvDecoded decodeCsvBytes(const QByteArray &bytes);

struct CsvRecord
{
    int line = 0; // the line it starts on, from 1
    QStringList cells;
};

struct CsvRows
{
    QChar separator;
    // The header first; a "sep=X" line is not a row.
    QList<CsvRecord> records;
    // The line of a quote that the text leaves open; 0 when every quote is closed.
    int openQuoteLine = 0;
};

// Splits the text into rows. The separator is what a first line "sep=X" names, else a semicolon
// or a tab when the header row holds one of them outside quotes and no comma, else a comma.
// Quotes as RFC 4180: a cell that starts with a quote holds separators and line breaks up to the
// closing quote, and "" in it is one quote. Lines end in CR LF, LF or CR; a line break inside a
// cell comes out as LF. Blank lines are no rows.
CsvRows splitCsv(const QString &text);

// A cell as an export writes it: quoted, with its quotes doubled and its line breaks as CR LF,
// when it holds a separator, a quote or a line break, or starts or ends with a blank.
QString csvCell(const QString &cell, QChar separator);
