#pragma once

#include <filesystem>
#include <vector>

namespace rmevents {

// Checks the scripts, merges them into the source clip and writes the log, as the command line
// (without the program name) asks. Returns the exit status: 0 on success, 1 when the merge failed,
// 2 when the command line is unusable.
int merge(const std::vector<std::filesystem::path> &commandLine);

} // namespace rmevents
