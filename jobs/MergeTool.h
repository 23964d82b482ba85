#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bundled merge tool as the runner drives it: launched detached on one clip with the scripts
// in the working folder, then watched only through its output's size, its log and whether
// its process still runs.
class MergeTool
{
public:
    enum class Launch { Started, SourceMissing, OutputIsSource, ToolMissing };

    // Launches the tool for one clip from the program folder, in the working folder, after making
    // the output ready and deleting the old log.
    Launch RunMergeTool(const QString &sourcePath, const QString &outputPath, bool withMap);

    // The pieces of a launch, shared with a caller that runs the tool itself: the tool in a program
    // folder; what stops a launch, checked in this order; the arguments, the scripts and the log
    // named in the tool's working folder; and the output made ready, its old file removed so that
    // what grows afterwards is this job's alone, its folder made when it is missing.
    static QString toolPath(const QString &programFolder);
    static Launch checkLaunch(const QString &toolPath, const QString &sourcePath, const QString &outputPath);
    static QStringList toolArguments(const QString &sourcePath, const QString &outputPath, bool withMap);
    static void prepareOutput(const QString &outputPath);

    // The process of the last launch, 0 before the first.
    qint64 processId() const { return m_processId; }
    bool isRunning() const;

    // The lines of the log, none while there is no log.
    QStringList readLog() const;
    void removeLog() const;

    // The size of a file in bytes, 0 when it does not exist.
    static qint64 MeasureFile(const QString &path);
    // The whole file, empty when it can't be opened.
    static QByteArray ReadTextFile(const QString &path);

private:
    qint64 m_processId = 0;
};
