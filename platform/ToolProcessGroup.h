#pragma once

class QProcess;

// Starts the process in a process group of its own, so that Ctrl+C in a terminal reaches only the
// program that launched it, which then stops it and removes what it had begun to write. Left in
// the terminal's group, the tool would die of the same Ctrl+C halfway through its output.
void startInOwnProcessGroup(QProcess &process);
