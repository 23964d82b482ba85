#pragma once

#include <QByteArray>
#include <QStringList>

class QProcess;

// The bundled merge tool, run to its end in a working folder.
struct ToolRun
{
    int exitCode = -1;
    QByteArray standardError;
    QByteArray standardOutput;
};

// Runs the program with this process in the folder; fatal when it does not end normally within a
// minute.
ToolRun runToEnd(const QString &folder, const QString &program, const QStringList &arguments, QProcess &process);

// Runs the tool with this process (so that a test can watch it while it works); fatal when the
// tool does not end normally within a minute.
ToolRun runMergeTool(const QString &folder, const QStringList &arguments, QProcess &process);
ToolRun runMergeTool(const QString &folder, const QStringList &arguments);

// A log Clipvane can read: CR LF line ends only, and "***" as its last line and nowhere else.
bool isCompleteToolLog(const QByteArray &log);
