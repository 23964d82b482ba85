#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace rmevents {

// The listing listClip prints. Throws ClipError for a file it cannot read.
std::string clipListing(const std::filesystem::path &clip);

// Prints what a clip carries, one item a line: its kind and streams, its clip information, every
// event with its type, times and text, and every image map with its regions. Returns the exit
// status: 0, or 1 with a line on errors and nothing listed for a file it cannot read.
int listClip(const std::filesystem::path &clip, std::ostream &out, std::ostream &errors);

} // namespace rmevents
