#include "jobs/AppFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString redirectedFolder;

QString withTrailingSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString appFolder()
{
    if (!redirectedFolder.isEmpty())
        return redirectedFolder;
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

void redirectAppFolder(const QString &folder)
{
    redirectedFolder = folder.isEmpty() ? QString() : withTrailingSeparator(QDir::fromNativeSeparators(folder));
}
