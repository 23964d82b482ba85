#include "MergeToolRun.h"

#include <QProcess>

ToolRun runToEnd(const QString &folder, const QString &program, const QStringList &arguments, QProcess &process)
{
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        qFatal("%s did not finish normally", qPrintable(program));
    return {process.exitCode(), process.readAllStandardError(), process.readAllStandardOutput()};
}

ToolRun runMergeTool(const QString &folder, const QStringList &arguments, QProcess &process)
{
    return runToEnd(folder, QStringLiteral(RMEVENTS_PATH), arguments, process);
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
