#pragma once

#include <filesystem>
#include <ostream>

namespace rmevents {

// Prints what a clip carries, one item a line: its kind and streams, its clip information, every
// event with its type, times and text, and every image map with its regions. Returns the exit
// status: 0, or 1 with a line on errors and nothing listed for a file it cannot read.
int listClip(const std::filesystem::path &clip, std::ostream &out, std::ostream &errors);

} // namespace rmevents
