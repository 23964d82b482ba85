#pragma once

#include "jobs/ClipContents.h"

#include <QString>

// What the clip carries, as the bundled merge tool in the program folder lists it, its texts in
// the system's code page. Throws ClipReadError, with the tool's own line when it refuses the clip.
ClipContents readClipContents(const QString &clipPath);
