#include "jobs/ClipJob.h"

#include "jobs/FailureReasons.h"
#include "jobs/InputOutputError.h"
#include "jobs/JobFiles.h"
#include "jobs/JobScripts.h"
#include "jobs/MergeTool.h"
#include "jobs/OutputFreshness.h"
#include "jobs/PartFile.h"
#include "jobs/ToolLog.h"
#include "platform/ToolProcessGroup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const int progressInterval = 250;

QString launchRefusal(MergeTool::Launch launch, const QString &sourcePath)
{
    switch (launch) {
    case MergeTool::Launch::SourceMissing:
        return FailureReasons::sourceMissing;
    case MergeTool::Launch::OutputIsSource:
        return FailureReasons::reasonOfWarning(FailureReasons::outputWarning(FailureReasons::outputIsSource, sourcePath));
    case MergeTool::Launch::ToolMissing:
        return FailureReasons::toolMissing;
    case MergeTool::Launch::Started:
        break;
    }
    return QString();
}

} // namespace

ClipJob::ClipJob(const QString &toolPath, const QString &sourcePath, const QString &outputPath, QObject *parent)
    : QObject(parent), m_toolPath(toolPath), m_sourcePath(sourcePath), m_outputPath(outputPath),
      m_partPath(partFilePath(outputPath)), m_folder(QDir::temp().filePath(QStringLiteral("clipvane-job-XXXXXX")))
{
    m_progressTimer.setInterval(progressInterval);
    connect(&m_progressTimer, &QTimer::timeout, this, &ClipJob::watchOutput);
    connect(&m_process, &QProcess::finished, this, &ClipJob::toolFinished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            toolFinished();
    });
}

void ClipJob::start(const JobSettings &settings, const OutputRule &rule)
{
    m_sourceSize = MergeTool::MeasureFile(m_sourcePath);
    m_keepDate = rule.keepDate;
    const MergeTool::Launch launch = MergeTool::checkLaunch(m_toolPath, m_sourcePath, m_outputPath);
    if (launch != MergeTool::Launch::Started) {
        fail(launchRefusal(launch, m_sourcePath));
        return;
    }
    // What a killed run left of this output is no clip.
    QFile::remove(m_partPath);
    if (rule.skipExisting && isOutputUpToDate(m_sourcePath, m_outputPath)) {
        end(State::Skipped);
        return;
    }
    // A rename would take the place of a folder's or a device's name; the tool refuses them too.
    const QFileInfo output(m_outputPath);
    if (output.exists() && !output.isFile()) {
        fail(FailureReasons::reasonAbout(FailureReasons::outputNotAFile, m_outputPath));
        return;
    }
    if (!m_folder.isValid()) {
        fail(FailureReasons::noPrivateFolder);
        return;
    }
    const QString folder = m_folder.path() + QLatin1Char('/');
    try {
        WriteEvents(folder, settings);
        if (settings.withMap)
            WriteMap(folder, settings);
    } catch (const InputOutputError &error) {
        fail(error.message());
        return;
    }
    MergeTool::prepareOutput(m_partPath);
    m_state = State::Running;
    m_process.setProgram(m_toolPath);
    m_process.setArguments(MergeTool::toolArguments(m_sourcePath, m_partPath, settings.withMap));
    m_process.setWorkingDirectory(m_folder.path());
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    startInOwnProcessGroup(m_process);
    m_process.start();
    m_progressTimer.start();
}

void ClipJob::fail(const QString &reason)
{
    m_reason = reason;
    end(State::Failed);
}

void ClipJob::stop()
{
    if (m_state != State::Running)
        return;
    disconnect(&m_process, nullptr, this, nullptr);
    m_process.kill();
    m_process.waitForFinished();
    // The tool was cut off mid-write: what it left is no clip. The part file is never a source.
    QFile::remove(m_partPath);
    m_reason = FailureReasons::stopped;
    end(State::Stopped);
}

void ClipJob::watchOutput()
{
    const qint64 size = MergeTool::MeasureFile(m_partPath);
    if (size == m_lastSize)
        return;
    m_lastSize = size;
    emit progressed(size);
}

void ClipJob::toolFinished()
{
    if (m_state != State::Running)
        return;
    const QString log = m_folder.filePath(JobFiles::log);
    m_logLines = QFileInfo::exists(log) ? toolLogLines(MergeTool::ReadTextFile(log)) : QStringList();
    // The tool names the file it wrote; a person knows the output.
    m_logLines.replaceInStrings(m_partPath, m_outputPath);
    if (!hasEndMark(m_logLines)) {
        m_reason = m_process.error() == QProcess::FailedToStart ? FailureReasons::toolNotStarted
                                                                : FailureReasons::noEndMark;
        // A tool that ended without its end mark may have left half a clip; the part file is never a source.
        QFile::remove(m_partPath);
        end(State::Failed);
        return;
    }
    if (!QFileInfo::exists(m_partPath)) {
        m_reason = toolFailureReason(m_logLines);
        end(State::Failed);
        return;
    }
    putOutputInPlace();
}

// The date goes on before the name, so that a clip under the output's name always has it.
void ClipJob::putOutputInPlace()
{
    if (m_keepDate && !takeSourceDate(m_sourcePath, m_partPath)) {
        QFile::remove(m_partPath);
        fail(FailureReasons::reasonAbout(FailureReasons::sourceDateNotKept, m_outputPath));
        return;
    }
    const QString problem = putPartInPlace(m_partPath, m_outputPath);
    if (!problem.isEmpty()) {
        QFile::remove(m_partPath);
        fail(FailureReasons::reasonAbout(FailureReasons::outputNotPutInPlace, m_outputPath) + QStringLiteral(" (%1)").arg(problem));
        return;
    }
    end(State::Merged);
}

void ClipJob::end(State state)
{
    m_progressTimer.stop();
    m_state = state;
    if (state == State::Merged)
        emit progressed(MergeTool::MeasureFile(m_outputPath));
    m_folder.remove();
    emit ended();
}
