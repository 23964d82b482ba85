#include "jobs/ClipPaths.h"

#include "platform/PathSeparators.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString asciiUpper(QString text)
{
    for (QChar &c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return text;
}

} // namespace

qsizetype fileNameStart(const QString &path)
{
    for (qsizetype i = path.size(); i > 0; --i) {
        if (isPathSeparator(path[i - 1]))
            return i;
    }
    return 0;
}

QString withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty())
        return folder;
    const QString path = QDir::fromNativeSeparators(folder);
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString fileIdentity(const QString &path)
{
    const QFileInfo info(path);
    const QString file = info.canonicalFilePath();
    if (!file.isEmpty())
        return file;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + QLatin1Char('/') + info.fileName();
}

QString clipExtension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < fileNameStart(path))
        return QString();
    return asciiUpper(path.mid(dot));
}

bool isClipPath(const QString &path)
{
    const QString extension = clipExtension(path);
    return extension == QLatin1String(".RM") || extension == QLatin1String(".RMVB")
           || extension == QLatin1String(".RA");
}

QString defaultOutputPath(const QString &sourcePath)
{
    const qsizetype nameStart = fileNameStart(sourcePath);
    return sourcePath.left(nameStart) + QLatin1String("Done_") + sourcePath.mid(nameStart);
}
