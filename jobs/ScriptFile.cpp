#include "jobs/ScriptFile.h"

#include "jobs/InputOutputError.h"

#include <QDir>
#include <QFile>

namespace {

[[noreturn]] void fail(QFile &file, const QString &action, QString reason = QString())
{
    if (reason.isEmpty())
        reason = file.errorString();
    file.close();
    throw InputOutputError(QStringLiteral("Cannot %1 \"%2\": %3")
                               .arg(action, QDir::toNativeSeparators(file.fileName()), reason));
}

} // namespace

void writeScriptFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(file, QStringLiteral("create"));
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written && file.error() != QFileDevice::NoError)
        fail(file, QStringLiteral("write"));
    // A full disk can cut a write short without an error: the size tells.
    if (!written || file.size() != bytes.size())
        fail(file, QStringLiteral("write"),
             QStringLiteral("only %1 of %2 bytes could be written").arg(file.size()).arg(bytes.size()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(file, QStringLiteral("close"));
}
