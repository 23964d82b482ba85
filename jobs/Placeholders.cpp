#include "jobs/Placeholders.h"

#include "jobs/ClipPaths.h"
#include "jobs/OneLineText.h"

#include <QUrl>
#include <optional>

namespace {

QString fileName(const QString &path)
{
    return path.mid(fileNameStart(path));
}

// The file name up to its last dot; a name without a dot is all name.
QString baseName(const QString &file)
{
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? file : file.left(dot);
}

QString extension(const QString &file)
{
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : file.mid(dot + 1);
}

QString folderName(const QString &path)
{
    QString folder = path.left(fileNameStart(path));
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return fileName(folder.size() > 1 ? folder : QString());
}

std::optional<QString> builtInValue(QStringView name, const ClipPlace &place)
{
    if (name == u"name")
        return baseName(fileName(place.path));
    if (name == u"file")
        return fileName(place.path);
    if (name == u"ext")
        return extension(fileName(place.path));
    if (name == u"folder")
        return folderName(place.path);
    if (name == u"index")
        return QString::number(place.index);
    if (name == u"date")
        return place.batchDate.toString(Qt::ISODate);
    return std::nullopt;
}

std::optional<QString> columnValue(QStringView name, const QMap<QString, QString> &columnCells)
{
    for (auto cell = columnCells.cbegin(); cell != columnCells.cend(); ++cell) {
        if (name.compare(cell.key(), Qt::CaseInsensitive) == 0)
            return cell.value();
    }
    return std::nullopt;
}

} // namespace

QString fillPlaceholders(const QString &text, const ClipPlace &place, const QMap<QString, QString> &columnCells,
                         FilledAs as)
{
    if (!text.contains(QLatin1Char('{')))
        return text;
    QString filled;
    qsizetype done = 0;
    qsizetype open = text.indexOf(QLatin1Char('{'));
    while (open >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0)
            break;
        const QStringView name = QStringView(text).mid(open + 1, close - open - 1);
        // "{{name}" fills the inner one: a brace inside braces starts the word anew.
        const qsizetype innerOpen = name.lastIndexOf(QLatin1Char('{'));
        if (innerOpen >= 0) {
            open += innerOpen + 1;
            continue;
        }
        std::optional<QString> value = builtInValue(name, place);
        if (!value)
            value = columnValue(name, columnCells);
        if (value) {
            const QString line = oneLineText(*value);
            filled += QStringView(text).mid(done, open - done);
            filled += as == FilledAs::Url ? QString::fromLatin1(QUrl::toPercentEncoding(line)) : line;
            done = close + 1;
        }
        open = text.indexOf(QLatin1Char('{'), close + 1);
    }
    if (done == 0)
        return text;
    filled += QStringView(text).mid(done);
    return filled;
}
