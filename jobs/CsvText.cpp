#include "jobs/CsvText.h"

#include <QStringDecoder>

namespace {

// Windows-1252's characters for the bytes 0x80 to 0x9F; its five unassigned bytes keep their
// C1 code points, as browsers read them, so no byte is lost.
const char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = QChar(code >= 0x80 && code < 0xA0 ? windows1252High[code - 0x80] : char16_t(code));
    }
    return text;
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Steps over a line end at pos (CR LF counts as one) and returns the position after it.
qsizetype afterLineEnd(const QString &text, qsizetype pos)
{
    if (text[pos] == QLatin1Char('\r') && pos + 1 < text.size() && text[pos + 1] == QLatin1Char('\n'))
        return pos + 2;
    return pos + 1;
}

// The first line "sep=X", as spreadsheets write it to name their separator.
bool namesSeparator(const QString &text)
{
    return text.startsWith(QLatin1String("sep=")) && text.size() >= 5 && !isLineEnd(text[4])
           && (text.size() == 5 || isLineEnd(text[5]));
}

QChar headerSeparator(const QString &text, qsizetype start)
{
    bool quoted = false;
    bool semicolon = false;
    bool tab = false;
    QChar first;
    for (qsizetype pos = start; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char(','))
            return c;
        else if (isLineEnd(c))
            break;
        else if ((c == QLatin1Char(';') && !semicolon) || (c == QLatin1Char('\t') && !tab)) {
            (c == QLatin1Char(';') ? semicolon : tab) = true;
            if (first.isNull())
                first = c;
        }
    }
    return first.isNull() ? QLatin1Char(',') : first;
}

bool isBlank(const CsvRecord &record)
{
    for (const QString &cell : record.cells) {
        if (!cell.isEmpty())
            return false;
    }
    return true;
}

} // namespace

CsvDecoded decodeCsvBytes(const QByteArray &bytes)
{
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return {text, false};
    return {fromWindows1252(body), true};
}

CsvRows splitCsv(const QString &text)
{
    CsvRows rows;
    qsizetype pos = 0;
    int line = 1;
    if (namesSeparator(text)) {
        rows.separator = text[4];
        pos = text.size() > 5 ? afterLineEnd(text, 5) : 5;
        line = 2;
    } else {
        rows.separator = headerSeparator(text, 0);
    }
    const QChar separator = rows.separator;

    CsvRecord record{line, {}};
    QString cell;
    auto endRecord = [&] {
        record.cells.append(cell);
        cell.clear();
        if (!isBlank(record))
            rows.records.append(record);
        record = CsvRecord{line, {}};
    };
    bool cellStarted = false;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c == QLatin1Char('"') && !cellStarted) {
            const int quoteLine = line;
            ++pos;
            for (;;) {
                if (pos >= text.size()) {
                    rows.openQuoteLine = quoteLine;
                    return rows;
                }
                const QChar inside = text[pos];
                if (inside == QLatin1Char('"')) {
                    if (pos + 1 < text.size() && text[pos + 1] == QLatin1Char('"')) {
                        cell += inside;
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                if (isLineEnd(inside)) {
                    cell += QLatin1Char('\n');
                    pos = afterLineEnd(text, pos);
                    ++line;
                    continue;
                }
                cell += inside;
                ++pos;
            }
            cellStarted = true;
        } else if (c == separator) {
            record.cells.append(cell);
            cell.clear();
            cellStarted = false;
            ++pos;
        } else if (isLineEnd(c)) {
            pos = afterLineEnd(text, pos);
            ++line;
            endRecord();
            cellStarted = false;
        } else {
            // Text after a closing quote, or a quote inside an unquoted cell, is kept as it stands.
            cell += c;
            cellStarted = true;
            ++pos;
        }
    }
    if (cellStarted || !record.cells.isEmpty())
        endRecord();
    return rows;
}

QString csvCell(const QString &cell, QChar separator)
{
    const bool needsQuotes = cell.contains(separator) || cell.contains(QLatin1Char('"'))
                             || cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))
                             || cell.startsWith(QLatin1Char(' ')) || cell.endsWith(QLatin1Char(' '));
    if (!needsQuotes)
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    quoted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    quoted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    quoted.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
