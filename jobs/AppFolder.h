#pragma once

#include <QString>

// The application folder: the folder of the running executable, ending with a separator. The
// merge tool, the two scripts, the tool's log and the language file lie in it under fixed names.
QString appFolder();

// Points the application folder elsewhere (tests use a temporary folder of their own); an empty
// path restores the executable's folder.
void redirectAppFolder(const QString &folder);
