#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class TForm1;

// Settles the program and working folders for the program folder, builds the main window, opens
// the profile named by "--profile FILE", lists the clips and the clips below the folders given
// on the command line (relative paths from the current folder; other files are passed over, as a
// drop passes them) and gives them the values of the table named by "--values FILE". When the
// language file can't be written, says so and returns nothing: the program then ends before any
// window is shown.
std::unique_ptr<TForm1> createMainWindow(const QString &programFolder, const QStringList &arguments = {});
