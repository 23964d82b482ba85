#include "jobs/MergeTool.h"

#include "jobs/AppFolder.h"
#include "jobs/JobFiles.h"
#include "jobs/ToolLog.h"
#include "platform/ExecutableName.h"
#include "platform/ProcessStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

bool isSameFile(const QString &sourcePath, const QString &outputPath)
{
    const QFileInfo source(sourcePath);
    const QFileInfo output(outputPath);
    if (source.absoluteFilePath() == output.absoluteFilePath())
        return true;
    return output.exists() && source.canonicalFilePath() == output.canonicalFilePath();
}

QString logPath()
{
    return workingFolder() + JobFiles::log;
}

} // namespace

QString MergeTool::toolPath(const QString &programFolder)
{
    return programFolder + executableFileName(JobFiles::toolBaseName);
}

MergeTool::Launch MergeTool::checkLaunch(const QString &toolPath, const QString &sourcePath, const QString &outputPath)
{
    if (!QFileInfo(toolPath).isFile())
        return Launch::ToolMissing;
    if (!QFileInfo(sourcePath).isFile())
        return Launch::SourceMissing;
    if (isSameFile(sourcePath, outputPath))
        return Launch::OutputIsSource;
    return Launch::Started;
}

QStringList MergeTool::toolArguments(const QString &sourcePath, const QString &outputPath, bool withMap)
{
    QStringList arguments{QStringLiteral("-i"), sourcePath, QStringLiteral("-o"), outputPath,
                          QStringLiteral("-e"), JobFiles::eventScript};
    if (withMap)
        arguments << QStringLiteral("-m") << JobFiles::mapScript;
    arguments << QStringLiteral("-l") << JobFiles::log;
    return arguments;
}

void MergeTool::prepareOutput(const QString &outputPath)
{
    QFile::remove(outputPath);
    QDir().mkpath(QFileInfo(outputPath).absolutePath());
}

// Detached and with an argument list (no shell, so no path can inject arguments). The tool comes
// from the program folder and works in the working folder, where its scripts and log lie.
MergeTool::Launch MergeTool::RunMergeTool(const QString &sourcePath, const QString &outputPath, bool withMap)
{
    const QString tool = toolPath(programFolder());
    const Launch check = checkLaunch(tool, sourcePath, outputPath);
    if (check != Launch::Started)
        return check;
    prepareOutput(outputPath);
    removeLog();

    // The tool reports through its log; it shares no console with the window.
    QProcess process;
    process.setProgram(tool);
    process.setArguments(toolArguments(sourcePath, outputPath, withMap));
    process.setWorkingDirectory(workingFolder());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    m_processId = 0;
    return process.startDetached(&m_processId) ? Launch::Started : Launch::ToolMissing;
}

bool MergeTool::isRunning() const
{
    return isProcessRunning(m_processId);
}

QStringList MergeTool::readLog() const
{
    const QString path = logPath();
    return QFileInfo::exists(path) ? toolLogLines(ReadTextFile(path)) : QStringList();
}

void MergeTool::removeLog() const
{
    QFile::remove(logPath());
}

qint64 MergeTool::MeasureFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : 0;
}

QByteArray MergeTool::ReadTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
