// OutputFreshness: whether a merged clip is up to date, and giving it its source's date.
#include "jobs/OutputFreshness.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

// Both times are read and set in milliseconds, so an output given its source's time compares equal
// even where the file system keeps finer times.
bool isOutputUpToDate(const QString &sourcePath, const QString &outputPath)
{
    const QFileInfo source(sourcePath);
    const QFileInfo output(outputPath);
    return source.isFile() && output.isFile() && output.lastModified() >= source.lastModified();
}

bool takeSourceDate(const QString &sourcePath, const QString &path)
{
    const QFileInfo source(sourcePath);
    if (!source.isFile())
        return false;
    // Opened for reading only: nothing of the clip can change but its time.
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
           && file.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
}
