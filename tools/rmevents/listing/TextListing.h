#pragma once

#include "listing/ClipContents.h"

#include <string>

namespace rmevents {

// What a clip carries, one item a line: its kind and streams, its clip information, every event
// with its type, times and text, and every image map with its regions.
std::string textListing(const ClipContents &contents);

} // namespace rmevents
