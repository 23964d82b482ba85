// clipvane-batch: a profile's batch without a window.
#include "cli/BatchReport.h"
#include "cli/BatchRun.h"
#include "cli/BatchSources.h"
#include "cli/BatchValues.h"
#include "cli/CommandLine.h"
#include "cli/DryRunReport.h"
#include "cli/StatusLine.h"
#include "jobs/AppFolder.h"
#include "jobs/MergeTool.h"
#include "jobs/ProductInfo.h"
#include "jobs/Profile.h"
#include "jobs/ProfileError.h"
#include "jobs/ValuesTableError.h"
#include "platform/InterruptSignals.h"
#include "platform/Terminal.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <memory>

namespace {

const int exitMerged = 0;
const int exitSomeFailed = 1;
const int exitNothingAttempted = 2;

int refuse(const QString &problem, bool pointToHelp = false)
{
    std::fprintf(stderr, "clipvane-batch: %s\n", qPrintable(problem));
    if (pointToHelp)
        std::fputs("Try 'clipvane-batch --help'.\n", stderr);
    return exitNothingAttempted;
}

// The --values table over the run's clips, its notes on standard error unless quiet; none when
// the table is refused, which has then been said.
std::optional<RunValues> runValues(const CommandLine &commandLine, const QList<FoundClip> &clips)
{
    if (commandLine.values.isEmpty())
        return RunValues();
    try {
        RunValues values = readRunValues(commandLine.values, clips);
        if (!commandLine.quiet) {
            QStringList notes = values.notes;
            // With --json the summary lists the unmatched rows.
            if (!commandLine.json) {
                for (const QString &row : std::as_const(values.match.unmatchedRows))
                    notes.append(QStringLiteral("the values table's row \"%1\" names no clip of this run").arg(row));
            }
            for (const QString &note : std::as_const(notes))
                std::fprintf(stderr, "clipvane-batch: note: %s\n", qPrintable(note));
        }
        return values;
    } catch (const ValuesTableError &error) {
        refuse(error.message());
        return std::nullopt;
    }
}

// --skip-existing and --keep-date switch the profile's rule on, never off.
void applyResumeOptions(const CommandLine &commandLine, OutputRule &rule)
{
    if (commandLine.skipExisting)
        rule.skipExisting = true;
    if (commandLine.keepDate)
        rule.keepDate = true;
}

// A person at a terminal sees how far the run has come; a script reading the lines, or a log
// file, gets nothing of it.
std::unique_ptr<StatusLine> statusLineForTerminal(const CommandLine &commandLine, const BatchRun &run,
                                                  const QList<BatchClip> &clips, BatchReport &report)
{
    if (commandLine.quiet || commandLine.json || !isTerminal(stderr))
        return nullptr;
    auto statusLine = std::make_unique<StatusLine>(run, clips, stderr);
    report.keepBelowLines(*statusLine);
    return statusLine;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(ProductInfo::name);
    const QDate batchDate = QDate::currentDate();
    const CommandLine commandLine = readCommandLine(QCoreApplication::arguments().mid(1));
    if (commandLine.help) {
        std::fputs(qPrintable(usageText()), stdout);
        return exitMerged;
    }
    if (commandLine.version) {
        std::printf("clipvane-batch %s\n", qPrintable(ProductInfo::version));
        return exitMerged;
    }
    if (!commandLine.error.isEmpty())
        return refuse(commandLine.error, true);

    Profile profile;
    try {
        profile = readProfileFile(commandLine.profile);
    } catch (const ProfileError &error) {
        return refuse(error.message());
    }
    if (commandLine.outputFolder)
        profile.output.folder = *commandLine.outputFolder;
    if (commandLine.keepTree)
        profile.output.keepTree = true;
    applyResumeOptions(commandLine, profile.output);
    if (!profile.output.folder.isEmpty())
        profile.output.folder = QDir::cleanPath(QDir::current().absoluteFilePath(profile.output.folder));

    const BatchSources sources = findBatchSources(commandLine.clipsAndFolders);
    if (!commandLine.quiet) {
        for (const QString &item : sources.passedOver)
            std::fprintf(stderr, "clipvane-batch: passed over, not a clip (.rm, .rmvb, .ra) nor a folder: %s\n",
                         qPrintable(QDir::toNativeSeparators(item)));
    }
    if (sources.clips.isEmpty())
        return refuse(QStringLiteral("no clip found"));
    const std::optional<RunValues> values = runValues(commandLine, sources.clips);
    if (!values)
        return exitNothingAttempted;
    const QList<BatchClip> clips = batchClips(profile, sources.clips, values->match, batchDate);
    if (commandLine.dryRun) {
        printDryRun(clips, values->match.unmatchedRows, commandLine.json, stdout);
        return exitMerged;
    }

    // A dry run merges nothing, so it needs no merge tool.
    const QString tool = MergeTool::toolPath(programFolder());
    if (!QFileInfo(tool).isFile())
        return refuse(QStringLiteral("the merge tool %1 is missing; reinstall Clipvane").arg(QDir::toNativeSeparators(tool)));
    BatchRun run(clips, tool, commandLine.jobs);
    run.setOutputOptions(profile.output);
    BatchReport report(run, commandLine.json, commandLine.quiet, stdout);
    report.setUnmatchedRows(values->match.unmatchedRows);
    const std::unique_ptr<StatusLine> statusLine = statusLineForTerminal(commandLine, run, clips, report);
    InterruptSignals interrupts;
    int interruptedBy = 0;
    QObject::connect(&interrupts, &InterruptSignals::interrupted, &run, [&](int signalNumber) {
        if (interruptedBy == 0)
            interruptedBy = signalNumber;
        run.interrupt();
    });
    QObject::connect(&run, &BatchRun::finished, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    QTimer::singleShot(0, &run, &BatchRun::start);
    application.exec();

    const int exitStatus = interruptedBy != 0 ? InterruptSignals::exitStatusFor(interruptedBy)
                           : run.failedCount() > 0 ? exitSomeFailed
                                                   : exitMerged;
    report.printSummary(exitStatus);
    return exitStatus;
}
