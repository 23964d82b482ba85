#include "jobs/FileReplacement.h"

#include <QSaveFile>

QString replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    // A full disk or a file size limit cuts a write short, often without a system error, and the
    // rename would then put the part that was written in the old file's place.
    if (file.size() != bytes.size()) {
        const QString reason = QStringLiteral("only %1 of %2 bytes could be written").arg(file.size()).arg(bytes.size());
        file.cancelWriting();
        return reason;
    }
    if (!written || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    return QString();
}
