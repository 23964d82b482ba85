#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What clipvane-batch was asked to do.
struct CommandLine
{
    QString profile;
    // -o FOLDER and --keep-tree, over the profile's output rule.
    std::optional<QString> outputFolder;
    bool keepTree = false;
    int jobs = 1;
    // --values FILE: the clips' own values; --dry-run: print what each clip would get, merge nothing.
    QString values;
    bool dryRun = false;
    bool json = false;
    bool quiet = false;
    QStringList clipsAndFolders;
    bool help = false;
    bool version = false;
    // Why the command line can't be used; empty when it can.
    QString error;
};

CommandLine readCommandLine(const QStringList &arguments);

// The text of --help: the usage, every option and the exit codes.
QString usageText();
