#include "jobs/ValuesTable.h"

#include "jobs/CsvText.h"
#include "jobs/FileReplacement.h"
#include "jobs/InputOutputError.h"
#include "jobs/OneLineText.h"
#include "jobs/ValuesTableError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const QString sourceFileColumn = QStringLiteral("SourceFile");
const QString defaultsRow = QStringLiteral("*");

// What a header cell names: the clip, a known item, or an own column.
struct Column
{
    enum Kind { Source, Item, Own } kind = Own;
    int item = 0;
    QString name;
};

[[noreturn]] void refuse(const QString &tablePath, const QString &fault)
{
    throw ValuesTableError(QStringLiteral("The values table \"%1\" can't be used: %2.")
                               .arg(QDir::toNativeSeparators(tablePath), fault));
}

Column columnNamed(const QString &headerCell)
{
    const QString name = headerCell.trimmed();
    if (name.compare(sourceFileColumn, Qt::CaseInsensitive) == 0)
        return {Column::Source, 0, name};
    const QStringList &items = clipItemColumns();
    for (int item = 0; item < items.size(); ++item) {
        if (name.compare(items[item], Qt::CaseInsensitive) == 0)
            return {Column::Item, item, name};
    }
    return {Column::Own, 0, name};
}

QList<Column> headerColumns(const CsvRecord &header, const QString &tablePath)
{
    QList<Column> columns;
    bool hasSource = false;
    for (const QString &cell : header.cells) {
        Column column = columnNamed(cell);
        for (const Column &earlier : columns) {
            if (!column.name.isEmpty() && earlier.name.compare(column.name, Qt::CaseInsensitive) == 0)
                refuse(tablePath, QStringLiteral("line %1: two columns are named \"%2\"").arg(header.line).arg(column.name));
        }
        hasSource = hasSource || column.kind == Column::Source;
        columns.append(column);
    }
    if (!hasSource)
        refuse(tablePath, QStringLiteral("line %1: no column is named SourceFile").arg(header.line));
    return columns;
}

// A full, clean path with Qt's separators: the one spelling rows and clips are matched by.
QString clipKey(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

} // namespace

ValuesTable parseValuesTable(const QByteArray &bytes, const QString &tablePath)
{
    const CsvDecoded decoded = decodeCsvBytes(bytes);
    const CsvRows csv = splitCsv(decoded.text);
    if (csv.openQuoteLine > 0)
        refuse(tablePath, QStringLiteral("line %1: a quote opened here is never closed").arg(csv.openQuoteLine));
    if (csv.records.isEmpty())
        refuse(tablePath, QStringLiteral("line 1: no column is named SourceFile"));

    const QList<Column> columns = headerColumns(csv.records.first(), tablePath);
    ValuesTable table;
    table.readAsWindows1252 = decoded.windows1252;
    for (const Column &column : columns) {
        if (column.kind == Column::Own && !column.name.isEmpty())
            table.columns.append(column.name);
    }

    const QDir tableFolder = QFileInfo(tablePath).absoluteDir();
    QHash<QString, int> lineOfClip;
    int defaultsLine = 0;
    for (qsizetype index = 1; index < csv.records.size(); ++index) {
        const CsvRecord &record = csv.records[index];
        if (record.cells.size() > columns.size())
            refuse(tablePath, QStringLiteral("line %1: the row has %2 cells, the header %3")
                                  .arg(record.line).arg(record.cells.size()).arg(columns.size()));
        ValuesRow row;
        row.line = record.line;
        for (const QString &name : std::as_const(table.columns))
            row.values.cells.insert(name, QString());
        for (qsizetype cell = 0; cell < record.cells.size(); ++cell) {
            const Column &column = columns[cell];
            const QString &text = record.cells[cell];
            if (column.kind == Column::Source) {
                row.sourceFile = text;
            } else if (column.kind == Column::Item) {
                if (column.item != int(ClipItem::Description) && holdsLineBreak(text))
                    refuse(tablePath, QStringLiteral("line %1: the %2 cell holds a line break; only Description may")
                                          .arg(record.line).arg(column.name));
                row.values.items[column.item] = text;
            } else if (!column.name.isEmpty()) {
                row.values.cells[column.name] = text;
            }
        }
        if (row.sourceFile.trimmed() == defaultsRow) {
            if (defaultsLine > 0)
                refuse(tablePath, QStringLiteral("lines %1 and %2 are both the \"*\" row").arg(defaultsLine).arg(row.line));
            defaultsLine = row.line;
            table.defaults = row.values;
            continue;
        }
        // A row without a clip names none, and so no clip twice either: it is told as unmatched.
        if (row.sourceFile.isEmpty()) {
            table.rows.append(row);
            continue;
        }
        row.clipPath = clipKey(tableFolder.absoluteFilePath(QDir::fromNativeSeparators(row.sourceFile)));
        const int earlier = lineOfClip.value(row.clipPath);
        if (earlier > 0)
            refuse(tablePath, QStringLiteral("lines %1 and %2 both name the clip %3")
                                  .arg(earlier).arg(row.line).arg(QDir::toNativeSeparators(row.clipPath)));
        lineOfClip.insert(row.clipPath, row.line);
        table.rows.append(row);
    }
    return table;
}

ValuesTable readValuesTableFile(const QString &tablePath)
{
    QFile file(tablePath);
    if (!file.open(QIODevice::ReadOnly))
        refuse(tablePath, file.errorString());
    return parseValuesTable(file.readAll(), QFileInfo(tablePath).absoluteFilePath());
}

ValuesMatch matchValuesTable(const ValuesTable &table, const QStringList &clipPaths)
{
    QHash<QString, qsizetype> rowOfClip;
    for (qsizetype row = 0; row < table.rows.size(); ++row) {
        if (!table.rows[row].clipPath.isEmpty())
            rowOfClip.insert(table.rows[row].clipPath, row);
    }

    ValuesMatch match;
    QList<bool> rowMatched(table.rows.size(), false);
    ClipValues defaults = table.defaults.value_or(ClipValues());
    for (const QString &name : table.columns)
        defaults.cells.insert(name, defaults.cells.value(name));
    match.clips.reserve(clipPaths.size());
    for (qsizetype clip = 0; clip < clipPaths.size(); ++clip) {
        const auto row = rowOfClip.constFind(clipKey(clipPaths[clip]));
        if (row == rowOfClip.cend()) {
            match.clipsWithoutRow.append(int(clip));
            match.clips.append(defaults);
            continue;
        }
        if (!rowMatched[*row]) {
            rowMatched[*row] = true;
            ++match.matchedRows;
        }
        match.clips.append(table.rows[*row].values.over(defaults));
    }
    for (qsizetype row = 0; row < table.rows.size(); ++row) {
        if (!rowMatched[row])
            match.unmatchedRows.append(table.rows[row].sourceFile);
    }
    return match;
}

QByteArray valuesTableCsv(const QStringList &columns, const QList<ListedClipValues> &clips)
{
    const QChar comma = QLatin1Char(',');
    const QString lineEnd = QStringLiteral("\r\n");
    QStringList header{sourceFileColumn};
    header += clipItemColumns();
    for (const QString &column : columns)
        header.append(csvCell(column, comma));
    QString text = header.join(comma) + lineEnd;
    for (const ListedClipValues &clip : clips) {
        QStringList cells{csvCell(clip.path, comma)};
        for (const QString &item : clip.values.items)
            cells.append(csvCell(item, comma));
        for (const QString &column : columns)
            cells.append(csvCell(clip.values.cells.value(column), comma));
        text += cells.join(comma) + lineEnd;
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void writeValuesTableFile(const QString &tablePath, const QStringList &columns, const QList<ListedClipValues> &clips)
{
    const QString failure = replaceFile(tablePath, valuesTableCsv(columns, clips));
    if (!failure.isEmpty())
        throw InputOutputError(QStringLiteral("The values table \"%1\" can't be written: %2.")
                                   .arg(QDir::toNativeSeparators(tablePath), failure));
}
