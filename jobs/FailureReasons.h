#pragma once

#include <QString>
#include <QStringList>

// Why the runner failed a clip itself, the merge tool aside: each reason one line, the same in the
// window's rows, its log and clipvane-batch. The user manual's troubleshooting part explains every
// one of them.
namespace FailureReasons {
inline const QString sourceMissing = QStringLiteral("The source file does not exist.");
inline const QString toolMissing =
    QStringLiteral("The merge tool is missing from the program folder; please reinstall this application.");
inline const QString toolNotStarted = QStringLiteral("The merge tool could not be started.");
inline const QString noEndMark = QStringLiteral("The merge tool ended without finishing its log.");
inline const QString noPrivateFolder = QStringLiteral("No private folder could be made for the clip's scripts.");
inline const QString stopped = QStringLiteral("Stopped before the merge had ended; nothing of its output is left.");
// The outputs refused so that no clip of the batch is written over: the warning's first line.
inline const QString outputIsSource = QStringLiteral("The output file is the source file itself:");
inline const QString outputIsAnotherSource = QStringLiteral("The output file is the source file of another row:");
inline const QString outputOfEarlierRow = QStringLiteral("The output file is also the output file of an earlier row:");
// clipvane-batch merges into a part file first and then gives it the output's name; the file
// named follows the reason.
inline const QString outputNotAFile = QStringLiteral("The output is a folder or a device, not a file:");
inline const QString outputNotPutInPlace = QStringLiteral("The merged clip could not take its output's name:");
inline const QString sourceDateNotKept = QStringLiteral("The source's date could not be given to the merged clip:");

inline const QStringList all{sourceMissing,      toolMissing,         toolNotStarted,        noEndMark,
                             noPrivateFolder,    stopped,             outputIsSource,        outputIsAnotherSource,
                             outputOfEarlierRow, outputNotAFile,      outputNotPutInPlace,   sourceDateNotKept};

// The warning for a refused output: what is wrong, the file, and what to do.
QString outputWarning(const QString &reason, const QString &path);
// A warning as a row's reason: what is wrong and the file, in one line.
QString reasonOfWarning(const QString &warning);
// A reason followed by the file it is about, in one line.
QString reasonAbout(const QString &reason, const QString &path);
} // namespace FailureReasons
