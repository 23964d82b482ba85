#include "jobs/AppFolder.h"

#include "jobs/ClipPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString redirectedProgramFolder;
QString redirectedWorkingFolder;

QString executableFolder()
{
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

// Only a real write tells: permission bits don't bind every user (root), and a folder can lie on
// a read-only file system or be marked immutable.
bool canCreateFileIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral(".clipvane-write-test-XXXXXX"));
    return probe.open();
}

bool isInstalledCopy(const QString &programFolder)
{
    return QFileInfo::exists(programFolder + installedCopyMarker);
}

} // namespace

QString programFolder()
{
    return redirectedProgramFolder.isEmpty() ? executableFolder() : redirectedProgramFolder;
}

QString workingFolder()
{
    return redirectedWorkingFolder.isEmpty() ? executableFolder() : redirectedWorkingFolder;
}

QString settingsFilePath()
{
    const QString name = QStringLiteral("Clipvane.conf");
    if (workingFolder() == programFolder())
        return workingFolder() + name;
    return withTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)) + name;
}

QString manualFilePath()
{
    const QString name = QStringLiteral("manual.html");
    for (const QString &path : {programFolder() + name, programFolder() + QStringLiteral("../../share/doc/clipvane/") + name}) {
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    }
    return QString();
}

bool settleAppFolders(const QString &programFolder)
{
    const QString program = withTrailingSeparator(programFolder);
    if (!isInstalledCopy(program) && canCreateFileIn(program)) {
        redirectAppFolders(program, program);
        return true;
    }
    const QString userFolder = withTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    redirectAppFolders(program, userFolder);
    return QDir().mkpath(userFolder) && canCreateFileIn(userFolder);
}

void redirectAppFolder(const QString &folder)
{
    redirectAppFolders(folder, folder);
}

void redirectAppFolders(const QString &programFolder, const QString &workingFolder)
{
    redirectedProgramFolder = withTrailingSeparator(programFolder);
    redirectedWorkingFolder = withTrailingSeparator(workingFolder);
}
