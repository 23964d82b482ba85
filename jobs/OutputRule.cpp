#include "jobs/OutputRule.h"

#include "jobs/ClipPaths.h"

#include <QDir>

namespace {

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString ruleOutputPath(const OutputRule &rule, const QString &sourcePath, const QString &addedFolder)
{
    const qsizetype nameStart = fileNameStart(sourcePath);
    const QString name = sourcePath.mid(nameStart);
    if (rule.folder.isEmpty())
        return sourcePath.left(nameStart) + rule.prefix + name;
    QString folder = withTrailingSlash(QDir::fromNativeSeparators(rule.folder));
    if (rule.keepTree && !addedFolder.isEmpty()) {
        const QString subFolder = QDir(addedFolder).relativeFilePath(sourcePath.left(nameStart));
        if (subFolder != QLatin1String(".") && !subFolder.startsWith(QLatin1String("..")))
            folder += withTrailingSlash(subFolder);
    }
    return folder + rule.prefix + name;
}

QString outputRuleProblem(const OutputRule &rule)
{
    if (rule.folder.isEmpty() && rule.prefix.isEmpty())
        return QStringLiteral("The prefix may be empty only when the merged clips go to another folder.");
    return QString();
}
