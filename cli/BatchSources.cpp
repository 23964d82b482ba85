#include "cli/BatchSources.h"

#include "jobs/ClipPaths.h"
#include "jobs/ClipSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

BatchSources findBatchSources(const QStringList &clipsAndFolders)
{
    BatchSources sources;
    QSet<QString> listed;
    auto add = [&](const QString &source, const QString &addedFolder) {
        const QString key = fileIdentity(source);
        if (!listed.contains(key)) {
            listed.insert(key);
            sources.clips.append({source, addedFolder});
        }
    };
    for (const QString &item : clipsAndFolders) {
        const QFileInfo info(item);
        const QString path = QDir::cleanPath(info.absoluteFilePath());
        if (info.isDir()) {
            for (const QString &clip : clipsBelow(path))
                add(clip, path);
        } else if (isClipPath(path)) {
            add(path, path.left(fileNameStart(path)));
        } else {
            sources.passedOver.append(item);
        }
    }
    return sources;
}
