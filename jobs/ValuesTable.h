// ValuesTable: the clip values table, a CSV file as spreadsheets write it, read and written.
#pragma once

#include "jobs/ClipValues.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A row of the table that names one clip.
struct ValuesRow
{
    int line = 0;          // the line of the file the row starts on, from 1
    QString sourceFile;    // its SourceFile cell as written
    QString clipPath;      // the clip it names: a full, clean path
    ClipValues values;
};

struct ValuesTable
{
    // The table's own columns (those that fill placeholders), named and ordered as its header.
    QStringList columns;
    // The "*" row: every clip's values where its own row leaves a cell empty.
    std::optional<ClipValues> defaults;
    QList<ValuesRow> rows;
    // The file was not UTF-8 and was read as Windows-1252: a spreadsheet's plain CSV export.
    bool readAsWindows1252 = false;
};

// Reads a table's bytes; relative SourceFile paths are taken from the folder of tablePath, which
// the messages name. The separator is a comma, or a semicolon or tab when the header holds one
// and no comma, or what a first line "sep=X" says; quotes as RFC 4180; lines end in CR LF, LF or
// CR; UTF-8 with or without a byte-order mark, else Windows-1252. Every cell stays text. Throws
// ValuesTableError for no SourceFile column, two columns of one name, a row with more cells than
// the header, two rows for one clip, a quote left open, or a line break in a one-line item.
ValuesTable parseValuesTable(const QByteArray &bytes, const QString &tablePath);

// The same from the file; a file that can't be read throws ValuesTableError too.
ValuesTable readValuesTableFile(const QString &tablePath);

// The table laid over a list of clips (full paths, list order).
struct ValuesMatch
{
    // Per clip, in list order: its row's values over the "*" row's, a cell for every own column.
    QList<ClipValues> clips;
    int matchedRows = 0;
    // The SourceFile texts, as written, of the rows that name no listed clip.
    QStringList unmatchedRows;
    // The positions (from 0) of the clips that no row of their own names.
    QList<int> clipsWithoutRow;
};
ValuesMatch matchValuesTable(const ValuesTable &table, const QStringList &clipPaths);

// A listed clip and its own values, for an export.
struct ListedClipValues
{
    QString path;
    ClipValues values;
};

// An export's bytes: UTF-8 with a byte-order mark, commas, CR LF, the header
// "SourceFile,Title,Copyright,Author,Keywords,Description,ShowText,PopUpUrl" and then the own
// columns, one row per clip with its full path and its own values only. Reading it back gives
// the same values.
QByteArray valuesTableCsv(const QStringList &columns, const QList<ListedClipValues> &clips);

// Writes an export through a new file that then replaces the old one. Throws InputOutputError.
void writeValuesTableFile(const QString &tablePath, const QStringList &columns, const QList<ListedClipValues> &clips);
