#pragma once

#include <QString>

// Where Clipvane's files lie, each path ending with a separator. The program folder holds the
// executables, the bundled merge tool among them. The working folder holds the language file, the
// two scripts, the tool's log and the lock: for a portable copy the program folder itself when it
// can be written, else the user's own data folder for Clipvane; for an installed copy always the
// user's data folder. Until start-up settles them, both are the folder of the running executable.
QString programFolder();
QString workingFolder();

// The file of what the window remembers between starts: in the working folder of a portable copy,
// else in the user's configuration folder for Clipvane.
QString settingsFilePath();

// The file installing puts in the program folder. It marks an installed copy, whose program folder
// belongs to the package manager even when its user can write there (root).
inline const QString installedCopyMarker = QStringLiteral("installed-copy");

// The user manual that Help opens: beside the programs in a build or a copy of its own, under
// share/doc/clipvane beside the program folder's lib/clipvane when installed; empty when missing.
QString manualFilePath();

// Settles the folders for this program folder, creating the user's data folder when it is needed.
// Returns false when the working folder so chosen can't be written either.
bool settleAppFolders(const QString &programFolder);

// Points both folders at one folder (tests use a temporary folder of their own); an empty path
// restores the executable's folder.
void redirectAppFolder(const QString &folder);
// Points the two folders at two folders of their own, as an installed copy has them.
void redirectAppFolders(const QString &programFolder, const QString &workingFolder);
