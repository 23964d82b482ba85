#include "jobs/ClipSearch.h"

#include "jobs/ClipPaths.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

QStringList clipsBelow(const QString &folder)
{
    QStringList clips;
    QSet<QString> searched;
    QStringList pending{QFileInfo(folder).absoluteFilePath()};
    while (!pending.isEmpty()) {
        const QString current = pending.takeLast();
        if (searched.contains(QFileInfo(current).canonicalFilePath()))
            continue;
        searched.insert(QFileInfo(current).canonicalFilePath());
        QDirIterator entries(current, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        while (entries.hasNext()) {
            entries.next();
            const QFileInfo entry = entries.fileInfo();
            if (entry.isDir())
                pending.append(entry.filePath());
            else if (isClipPath(entry.fileName()) && entry.isFile())
                clips.append(entry.filePath());
        }
    }
    std::sort(clips.begin(), clips.end());
    return clips;
}
