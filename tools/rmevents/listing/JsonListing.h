#pragma once

#include "listing/ClipContents.h"

#include <string>

namespace rmevents {

// What a clip carries as one JSON document, the same content as the text listing. A text that is
// valid UTF-8 is a JSON string; any other text is an object whose "bytes" holds its bytes in
// hexadecimal, for the reader to decode in the character set it knows.
std::string jsonListing(const ClipContents &contents);

} // namespace rmevents
