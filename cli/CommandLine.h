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
    // --skip-existing and --keep-date, over the profile's output rule.
    bool skipExisting = false;
    bool keepDate = false;
    int jobs = 1;
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
