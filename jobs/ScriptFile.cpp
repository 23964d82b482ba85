#include "jobs/ScriptFile.h"

#include "jobs/InputOutputError.h"

#include <QDir>
#include <QFile>

namespace {

[[noreturn]] void fail(QFile &file, const QString &action)
{
    const QString reason = file.errorString();
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
    if (file.write(bytes) != bytes.size() || !file.flush())
        fail(file, QStringLiteral("write"));
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(file, QStringLiteral("close"));
}
