#include "BatchSupport.h"

#include "jobs/BatchRunner.h"

#include <QFile>
#include <QTest>
#include <csignal>

// Written whole, then renamed: a test that sees the file sees all of it.
const QByteArray waitingTool = "printf '%s\\n' \"$@\" > arguments.part && mv arguments.part arguments.txt\nexec sleep 60";

ToolReaper::~ToolReaper()
{
    if (m_runner.toolProcessId() > 0)
        ::kill(pid_t(m_runner.toolProcessId()), SIGKILL);
}

void finishToolJob(BatchRunner &runner, const TemporaryAppFolder &folder, bool withOutput)
{
    ::kill(pid_t(runner.toolProcessId()), SIGKILL);
    if (withOutput)
        writeFile(runner.jobOutputPath(), "merged");
    writeFile(folder.filePath(QStringLiteral("result.txt")), "Done.\r\n***\r\n");
    runner.Timer1Timer();
    runner.Timer1Timer();
}

QStringList waitingToolArguments(const TemporaryAppFolder &folder)
{
    const QString recorded = folder.filePath(QStringLiteral("arguments.txt"));
    [&] { QTRY_VERIFY(QFile::exists(recorded)); }();
    QStringList arguments = QString::fromUtf8(readFile(recorded)).split(QLatin1Char('\n'));
    arguments.removeLast();
    return arguments;
}
