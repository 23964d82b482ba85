#include "lang/IniFile.h"

#include "lang/IniFileWriteError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <climits>
#include <optional>

namespace {

enum class LineKind { Blank, Other, Section, Entry };

struct Line
{
    LineKind kind = LineKind::Other;
    QString name;
    QString value;
};

// The file's lines as stored, each without its "\n" but keeping a "\r" before it, and what they
// hold. The stored bytes of a line are written back untouched unless the line itself changes.
struct IniLines
{
    QList<QByteArray> raw;
    QList<Line> parsed;
    bool endsWithBreak = false;
};

// The lines of one section: its header and the index after its last line.
struct SectionSpan
{
    qsizetype header;
    qsizetype end;
};

Line parseLine(QString text)
{
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {LineKind::Blank, {}, {}};
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        return {LineKind::Section, trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed(), {}};
    }
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {LineKind::Other, {}, {}};
    return {LineKind::Entry, text.left(equals).trimmed(), text.mid(equals + 1)};
}

IniLines splitLines(const QByteArray &bytes, const CodePage &codePage)
{
    IniLines lines;
    if (bytes.isEmpty())
        return lines;
    lines.raw = bytes.split('\n');
    lines.endsWithBreak = bytes.endsWith('\n');
    if (lines.endsWithBreak)
        lines.raw.removeLast();
    for (const QByteArray &raw : std::as_const(lines.raw))
        lines.parsed.append(parseLine(codePage.decode(raw)));
    return lines;
}

bool sameName(const QString &stored, const QString &wanted)
{
    return QString::compare(stored, wanted.trimmed(), Qt::CaseInsensitive) == 0;
}

std::optional<SectionSpan> findSection(const IniLines &lines, const QString &section)
{
    const QList<Line> &parsed = lines.parsed;
    for (qsizetype header = 0; header < parsed.size(); ++header) {
        if (parsed[header].kind != LineKind::Section || !sameName(parsed[header].name, section))
            continue;
        qsizetype end = header + 1;
        while (end < parsed.size() && parsed[end].kind != LineKind::Section)
            ++end;
        return SectionSpan{header, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> findEntry(const IniLines &lines, const SectionSpan &span, const QString &key)
{
    for (qsizetype at = span.header + 1; at < span.end; ++at) {
        const Line &line = lines.parsed[at];
        if (line.kind == LineKind::Entry && sameName(line.name, key))
            return at;
    }
    return std::nullopt;
}

// New lines follow the file's own line ends: those of its first line, CR LF for a new file.
QByteArray lineEndBeforeBreak(const IniLines &lines)
{
    const bool firstLineEnded = lines.raw.size() > 1 || lines.endsWithBreak;
    if (!firstLineEnded)
        return QByteArrayLiteral("\r");
    return lines.raw.first().endsWith('\r') ? QByteArrayLiteral("\r") : QByteArray();
}

void insertLines(IniLines &lines, qsizetype at, const QList<QByteArray> &newLines)
{
    const QByteArray lineEnd = lineEndBeforeBreak(lines);
    if (at == lines.raw.size()) {
        if (!lines.raw.isEmpty() && !lines.endsWithBreak)
            lines.raw.last() += lineEnd;
        lines.endsWithBreak = true;
    }
    for (const QByteArray &line : newLines)
        lines.raw.insert(at++, line + lineEnd);
}

// The file's bytes; empty when there is no file, nothing when it exists but cannot be read.
std::optional<QByteArray> readExisting(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

int asciiDigit(QChar c, int base)
{
    const char16_t u = c.unicode();
    int digit = -1;
    if (u >= u'0' && u <= u'9')
        digit = u - u'0';
    else if (u >= u'a' && u <= u'f')
        digit = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        digit = u - u'A' + 10;
    return digit < base ? digit : -1;
}

std::optional<int> parseInteger(QString text)
{
    text = text.trimmed();
    if (text.size() > 2 && (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))))
        text = QLatin1Char('$') + text.mid(2);
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-')))
        negative = text[at++] == QLatin1Char('-');
    int base = 10;
    if (at < text.size() && text[at] == QLatin1Char('$')) {
        base = 16;
        ++at;
    }
    if (at == text.size())
        return std::nullopt;
    const qint64 limit = qint64(INT_MAX) + 1;
    qint64 magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = asciiDigit(text[at], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return std::nullopt;
    return int(value);
}

QString cutToMaximum(QString value)
{
    if (value.size() > IniFile::MaxValueLength) {
        value.truncate(IniFile::MaxValueLength);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

} // namespace

// The file's lines as last read or written through this object; none before the first read.
struct IniFile::Contents
{
    std::optional<IniLines> lines;
};

IniFile::IniFile(const QString &path, const CodePage &codePage)
    : m_path(path), m_codePage(codePage), m_contents(std::make_shared<Contents>())
{
}

const IniFile::Contents &IniFile::contents() const
{
    if (!m_contents->lines)
        m_contents->lines = splitLines(readExisting(m_path).value_or(QByteArray()), m_codePage);
    return *m_contents;
}

std::optional<QString> IniFile::readValue(const QString &section, const QString &key) const
{
    const IniLines &lines = *contents().lines;
    const std::optional<SectionSpan> span = findSection(lines, section);
    if (!span)
        return std::nullopt;
    const std::optional<qsizetype> entry = findEntry(lines, *span, key);
    if (!entry)
        return std::nullopt;
    return cutToMaximum(lines.parsed[*entry].value);
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return readValue(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value) const
{
    // A file that is there but cannot be read is never replaced: its other entries would be lost.
    const std::optional<QByteArray> bytes = readExisting(m_path);
    if (!bytes)
        throw IniFileWriteError(m_path);
    IniLines lines = splitLines(*bytes, m_codePage);
    const QByteArray entryLine = m_codePage.encode(key + QLatin1Char('=') + value);

    if (const std::optional<SectionSpan> span = findSection(lines, section)) {
        if (const std::optional<qsizetype> entry = findEntry(lines, *span, key)) {
            QByteArray &raw = lines.raw[*entry];
            raw = raw.endsWith('\r') ? entryLine + '\r' : entryLine;
        } else {
            qsizetype at = span->end;
            while (at > span->header + 1 && lines.parsed[at - 1].kind == LineKind::Blank)
                --at;
            insertLines(lines, at, {entryLine});
        }
    } else {
        insertLines(lines, lines.raw.size(),
                    {m_codePage.encode(QLatin1Char('[') + section + QLatin1Char(']')), entryLine});
    }

    QByteArray text = lines.raw.join('\n');
    if (lines.endsWithBreak)
        text += '\n';
    // Rewriting the same bytes would only cost a flush to disk and a new modification time.
    if (text == *bytes) {
        m_contents->lines = std::move(lines);
        return;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw IniFileWriteError(m_path);
    m_contents->lines = splitLines(text, m_codePage);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value) const
{
    writeString(section, key, QString::number(value));
}
