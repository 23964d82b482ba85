#include "app/Unit1.h"

#include "jobs/AppFolder.h"
#include "jobs/JobFiles.h"
#include "platform/ExecutableName.h"

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

} // namespace

// Launches the bundled merge tool for one clip, detached and with an argument list (no shell, so
// no path can inject arguments). The tool comes from the program folder and works in the working
// folder, where its scripts and log lie. The old output and log go first, so that the poll sees
// only what this job writes.
TForm1::Launch TForm1::RunMergeTool(const QString &sourcePath, const QString &outputPath, bool withMap)
{
    const QString tool = programFolder() + executableFileName(JobFiles::toolBaseName);
    if (!QFileInfo(tool).isFile()) {
        showWarning(QStringLiteral("Some files are missing, please reinstall this application!"));
        return Launch::ToolMissing;
    }
    if (!QFileInfo(sourcePath).isFile()) {
        showWarning(QStringLiteral("Source file is not exist!"));
        return Launch::SourceMissing;
    }
    if (isSameFile(sourcePath, outputPath)) {
        showWarning(QStringLiteral("The output file is the source file itself:\n%1\n"
                                   "Choose another output file with \"Edit Item\".")
                        .arg(sourcePath));
        return Launch::OutputIsSource;
    }
    QFile::remove(outputPath);
    QFile::remove(AppFolder() + JobFiles::log);

    QStringList arguments{QStringLiteral("-i"), sourcePath, QStringLiteral("-o"), outputPath,
                          QStringLiteral("-e"), JobFiles::eventScript};
    if (withMap)
        arguments << QStringLiteral("-m") << JobFiles::mapScript;
    arguments << QStringLiteral("-l") << JobFiles::log;
    // The tool reports through its log; it shares no console with the window.
    QProcess process;
    process.setProgram(tool);
    process.setArguments(arguments);
    process.setWorkingDirectory(AppFolder());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    m_toolProcessId = 0;
    if (!process.startDetached(&m_toolProcessId)) {
        showWarning(QStringLiteral("Some files are missing, please reinstall this application!"));
        return Launch::ToolMissing;
    }
    return Launch::Started;
}
