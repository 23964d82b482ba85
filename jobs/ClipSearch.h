#pragma once

#include <QStringList>

// Every clip below the folder, in its sub-folders too, as Add Files takes clips, sorted by full
// path. Links are followed, but each folder is searched once however many links lead to it, so
// that a link that loops ends the search instead of repeating it.
QStringList clipsBelow(const QString &folder);
