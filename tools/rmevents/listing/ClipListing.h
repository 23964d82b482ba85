#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace rmevents {

enum class ListingFormat { text, json };

// The listing listClip prints. Throws ClipError for a file it cannot read.
std::string clipListing(const std::filesystem::path &clip, ListingFormat format);

// Prints what a clip carries, as text (one item a line) or as one JSON document. Returns the exit
// status: 0, or 1 with a line on errors and nothing listed for a file it cannot read.
int listClip(const std::filesystem::path &clip, ListingFormat format, std::ostream &out, std::ostream &errors);

} // namespace rmevents
