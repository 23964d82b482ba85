#include "cli/CommandLine.h"

namespace {

const int mostJobs = 64;

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    CommandLine commandLine;
    auto valueOf = [&](qsizetype &i, const QString &option) -> std::optional<QString> {
        if (i + 1 >= arguments.size()) {
            commandLine.error = QStringLiteral("%1 needs a value").arg(option);
            return std::nullopt;
        }
        return arguments[++i];
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size() && commandLine.error.isEmpty(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            commandLine.clipsAndFolders.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--profile")) {
            commandLine.profile = valueOf(i, argument).value_or(QString());
        } else if (argument == QLatin1String("-o")) {
            commandLine.outputFolder = valueOf(i, argument);
        } else if (argument == QLatin1String("--keep-tree")) {
            commandLine.keepTree = true;
        } else if (argument == QLatin1String("--skip-existing")) {
            commandLine.skipExisting = true;
        } else if (argument == QLatin1String("--keep-date")) {
            commandLine.keepDate = true;
        } else if (argument == QLatin1String("-j")) {
            const std::optional<QString> value = valueOf(i, argument);
            bool isNumber = false;
            commandLine.jobs = value ? value->toInt(&isNumber) : 0;
            if (value && (!isNumber || commandLine.jobs < 1 || commandLine.jobs > mostJobs))
                commandLine.error = QStringLiteral("-j takes a whole number from 1 to %1, not \"%2\"").arg(mostJobs).arg(*value);
        } else if (argument == QLatin1String("--json")) {
            commandLine.json = true;
        } else if (argument == QLatin1String("-q")) {
            commandLine.quiet = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            commandLine.help = true;
        } else if (argument == QLatin1String("--version")) {
            commandLine.version = true;
        } else {
            commandLine.error = QStringLiteral("unknown option \"%1\"").arg(argument);
        }
    }
    if (commandLine.error.isEmpty() && !commandLine.help && !commandLine.version) {
        if (commandLine.profile.isEmpty())
            commandLine.error = QStringLiteral("--profile FILE is needed");
        else if (commandLine.clipsAndFolders.isEmpty())
            commandLine.error = QStringLiteral("no clip or folder given");
    }
    return commandLine;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: clipvane-batch --profile FILE [OPTIONS] CLIP_OR_FOLDER...\n"
        "Merges the time events, the click event and the clip information of a Clipvane profile into\n"
        "RealMedia clips (.rm, .rmvb, .ra), as Clipvane's window does, without a window. A folder\n"
        "gives every clip below it, in its sub-folders too.\n"
        "\n"
        "Options:\n"
        "  --profile FILE  the profile to merge (saved by Clipvane, or written by hand)\n"
        "  -o FOLDER       put the merged clips into FOLDER, over the profile's output rule\n"
        "  --keep-tree     keep the sub-folders of a given folder under the output folder\n"
        "  --skip-existing pass over a clip whose merged clip exists and is not older than it\n"
        "  --keep-date     give each merged clip its source's modification time\n"
        "  -j N            merge N clips at once (default 1)\n"
        "  --json          one JSON object per line: each clip's start, progress and end, then a summary\n"
        "  -q              print only failures and the summary\n"
        "  --help          print this text\n"
        "  --version       print the version\n"
        "\n"
        "On a terminal, a status line tells the clips done, the percentage and the time left.\n"
        "A merge is written to a hidden part file (.NAME.part) that takes the output's name only\n"
        "once whole; a run that was killed leaves no half clip under an output's name.\n"
        "\n"
        "Exit status:\n"
        "  0    no clip failed: every clip was merged, or skipped as up to date\n"
        "  1    at least one clip failed (the others were still merged)\n"
        "  2    nothing was attempted: bad usage, a profile refused, no clip found, the tool missing\n"
        "  130  interrupted by Ctrl+C (SIGINT)\n"
        "  143  ended by SIGTERM\n");
}
