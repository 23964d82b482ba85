// PartFile: the hidden file a merge is written to before it takes its output's name.
#include "jobs/PartFile.h"

#include "jobs/ClipPaths.h"

#include <QFileInfo>
#include <filesystem>
#include <system_error>

QString partFilePath(const QString &outputPath)
{
    const qsizetype nameStart = fileNameStart(outputPath);
    return outputPath.left(nameStart) + QLatin1Char('.') + outputPath.mid(nameStart) + QLatin1String(".part");
}

// QFile::rename does not replace an existing file; the standard rename does, atomically.
QString putPartInPlace(const QString &partPath, const QString &outputPath)
{
    std::error_code error;
    std::filesystem::rename(QFileInfo(partPath).filesystemAbsoluteFilePath(),
                            QFileInfo(outputPath).filesystemAbsoluteFilePath(), error);
    return error ? QString::fromStdString(error.message()) : QString();
}
