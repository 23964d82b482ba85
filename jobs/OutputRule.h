#pragma once

#include <QString>

// Where a batch's merged clips go. With no folder, each goes beside its source; with a folder, into
// it, and with keepTree into the sub-folder that mirrors where the clip lay below the folder it was
// added with. The prefix comes before the source's file name. skipExisting passes over a clip whose
// output is up to date, so that a batch run again does only what is missing; keepDate gives each
// merged clip its source's modification time.
struct OutputRule
{
    QString folder;
    QString prefix = QStringLiteral("Done_");
    bool keepTree = false;
    bool skipExisting = false;
    bool keepDate = false;

    bool operator==(const OutputRule &) const = default;
};

// The output path of a clip by this rule. The added folder is the folder the clip was found below
// (its own folder when it was added as a file); only keepTree reads it.
QString ruleOutputPath(const OutputRule &rule, const QString &sourcePath, const QString &addedFolder);

// Why the rule can't be used, or empty: with no folder every output would be its source unless a
// prefix sets it apart.
QString outputRuleProblem(const OutputRule &rule);
