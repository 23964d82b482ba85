#include "WinePrefix.h"

#include <QFile>
#include <QProcess>

WinePrefix::WinePrefix() : m_environment(QProcessEnvironment::systemEnvironment())
{
    if (!m_folder.isValid())
        qFatal("cannot create a folder for the wine prefix");
    m_environment.insert("WINEPREFIX", m_folder.path());
    m_environment.insert("WINEARCH", "win64");
    // No debug channels, and no offer to install Mono or Gecko, which would wait for a click.
    m_environment.insert("WINEDEBUG", "-all");
    m_environment.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
    // Wine converts command lines and file names with the locale's character set: UTF-8 keeps them
    // as the Linux tool sees them.
    m_environment.insert("LC_ALL", "C.UTF-8");
    // Console programs only: no window of wine's own on any display.
    m_environment.remove("DISPLAY");
    m_environment.remove("WAYLAND_DISPLAY");

    if (runWineTool("wineserver", {"--persistent=30"}) != 0 || runWineTool("wine", {"wineboot", "--init"}) != 0)
        qFatal("wine cannot set up a prefix");
}

WinePrefix::~WinePrefix()
{
    runWineTool("wineserver", {"--kill"});
    runWineTool("wineserver", {"--wait"});
}

ToolRun WinePrefix::run(const QString &program, const QString &folder, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    return runToEnd(folder, "wine", QStringList{program} + arguments, process);
}

void WinePrefix::mapDrive(QChar letter, const QString &folder) const
{
    unmapDrive(letter);
    if (!QFile::link(folder, drivePath(letter)))
        qFatal("cannot map drive %c:", letter.toLatin1());
}

void WinePrefix::unmapDrive(QChar letter) const
{
    QFile::remove(drivePath(letter));
}

QString WinePrefix::driveC() const
{
    return m_folder.filePath("drive_c");
}

QString WinePrefix::windowsPath(const QString &linuxPath)
{
    return "Z:" + QString(linuxPath).replace('/', '\\');
}

QString WinePrefix::drivePath(QChar letter) const
{
    return m_folder.filePath("dosdevices/" + QString(letter.toLower()) + ':');
}

int WinePrefix::runWineTool(const QString &program, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(m_folder.path());
    // The server lives on in the background; it must not hold on to a pipe of ours.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}
