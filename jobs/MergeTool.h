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

    // Launches the tool for one clip after deleting the old output and log, so that what is
    // watched afterwards is this job's alone, and making the output's folder when it is missing.
    Launch RunMergeTool(const QString &sourcePath, const QString &outputPath, bool withMap);

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
