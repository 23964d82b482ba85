#include "jobs/BatchLogFile.h"

#include "jobs/FileReplacement.h"
#include "jobs/InputOutputError.h"

#include <QDir>
#include <QFile>

namespace {

[[noreturn]] void fail(const QFileDevice &file, const QString &action)
{
    throw InputOutputError(QStringLiteral("Cannot %1 \"%2\": %3")
                               .arg(action, QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

// Where the newest whole lines that fit into this many bytes begin; the last line is kept whole
// even when it alone is longer.
qsizetype newestLinesStart(const QByteArray &text, qint64 keep)
{
    const qsizetype earliest = text.size() - qsizetype(keep);
    if (earliest <= 0)
        return 0;
    if (text[earliest - 1] == '\n')
        return earliest;
    const qsizetype nextLine = text.indexOf('\n', earliest);
    if (nextLine >= 0 && nextLine + 1 < text.size())
        return nextLine + 1;
    return text.lastIndexOf('\n', text.size() - 2) + 1;
}

void keepNewestHalf(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(file, QStringLiteral("read"));
    const QByteArray text = file.readAll();
    file.close();
    const QString failure = replaceFile(path, text.mid(newestLinesStart(text, limit / 2)));
    if (!failure.isEmpty())
        throw InputOutputError(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), failure));
}

} // namespace

void BatchLogFile::append(const QString &path, const QStringList &lines, qint64 limit)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        fail(file, QStringLiteral("open"));
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail(file, QStringLiteral("write"));
    const qint64 size = file.size();
    file.close();
    if (size > limit)
        keepNewestHalf(path, limit);
}
