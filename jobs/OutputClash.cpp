#include "jobs/OutputClash.h"

#include "jobs/ClipList.h"
#include "jobs/FailureReasons.h"

#include <QDir>
#include <QFileInfo>

namespace {

// One text for every spelling of a file: through links once it exists, else its clean absolute path.
QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

QString outputClash(const ClipList &clips, int row)
{
    const QString output = fileKey(clips.outputPath(row));
    const QString source = fileKey(clips.sourcePath(row));
    // An output that is its own source is the tool launch's to refuse, with a message of its own.
    if (source == output)
        return QString();
    for (int other = 0; other < clips.rowCount(); ++other) {
        if (other != row && fileKey(clips.sourcePath(other)) == output)
            return FailureReasons::outputWarning(FailureReasons::outputIsAnotherSource, clips.outputPath(row));
    }
    // The same clip listed twice writes the same merged clip again; another clip's would be lost.
    for (int earlier = 0; earlier < row; ++earlier) {
        if (fileKey(clips.outputPath(earlier)) == output && fileKey(clips.sourcePath(earlier)) != source)
            return FailureReasons::outputWarning(FailureReasons::outputOfEarlierRow, clips.outputPath(row));
    }
    return QString();
}
