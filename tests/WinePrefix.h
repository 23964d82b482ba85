#pragma once

#include "MergeToolRun.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A wine prefix of its own in a temporary folder, for running Windows programs in tests. It is made
// once, and its wine server is kept running between programs until it is destroyed (or half a
// minute after the last one, should the test die), so that each run takes a fraction of a second.
class WinePrefix
{
public:
    // Fatal when wine cannot set the prefix up.
    WinePrefix();
    ~WinePrefix();

    WinePrefix(const WinePrefix &) = delete;
    WinePrefix &operator=(const WinePrefix &) = delete;

    // Runs the Windows program in the folder (given as a Linux path, which wine reaches as Z:).
    ToolRun run(const QString &program, const QString &folder, const QStringList &arguments) const;

    // Makes the drive letter name the folder, the way a mapped network drive does.
    void mapDrive(QChar letter, const QString &folder) const;
    void unmapDrive(QChar letter) const;

    // The Linux folder behind drive C:.
    QString driveC() const;

    // How a Windows program spells a Linux path: through drive Z:, which wine maps to the root.
    static QString windowsPath(const QString &linuxPath);

private:
    QString drivePath(QChar letter) const;
    int runWineTool(const QString &program, const QStringList &arguments) const;

    QTemporaryDir m_folder;
    QProcessEnvironment m_environment;
};
