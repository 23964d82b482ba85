#pragma once

#include <QtGlobal>

// Whether the process with this id still runs. Clipvane starts the merge tool detached and never
// waits for it, so this is how it learns that a tool ended without finishing its log.
bool isProcessRunning(qint64 processId);
