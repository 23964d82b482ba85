#include "jobs/OutputRule.h"

#include "jobs/ClipPaths.h"

#include <QDir>

QString ruleOutputPath(const OutputRule &rule, const QString &sourcePath, const QString &addedFolder)
{
    const qsizetype nameStart = fileNameStart(sourcePath);
    const QString name = sourcePath.mid(nameStart);
    if (rule.folder.isEmpty())
        return sourcePath.left(nameStart) + rule.prefix + name;
    QString folder = withTrailingSeparator(rule.folder);
    if (rule.keepTree && !addedFolder.isEmpty()) {
        const QString subFolder = QDir(addedFolder).relativeFilePath(sourcePath.left(nameStart));
        if (subFolder != QLatin1String(".") && !subFolder.startsWith(QLatin1String("..")))
            folder += withTrailingSeparator(subFolder);
    }
    return folder + rule.prefix + name;
}

QString outputRuleProblem(const OutputRule &rule)
{
    if (rule.folder.isEmpty() && rule.prefix.isEmpty())
        return QStringLiteral("The prefix may be empty only when the merged clips go to another folder.");
    return QString();
}
