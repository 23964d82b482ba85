#include "MergeToolRun.h"

#include <QProcess>

ToolRun runMergeTool(const QString &folder, const QStringList &arguments, QProcess &process)
{
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(RMEVENTS_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        qFatal("rmevents did not finish normally");
    return {process.exitCode(), process.readAllStandardError(), process.readAllStandardOutput()};
}

ToolRun runMergeTool(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    return runMergeTool(folder, arguments, process);
}

bool isCompleteToolLog(const QByteArray &log)
{
    return log.endsWith("\r\n***\r\n") && log.count("\n") == log.count("\r\n") && log.count("***") == 1;
}
