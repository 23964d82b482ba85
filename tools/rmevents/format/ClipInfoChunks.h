#pragma once

#include "format/ClipInfo.h"
#include "format/RealMediaLayout.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rmevents {

// Puts the clip information into the header chunks: title, author, copyright and description
// (as the comment) into CONT, which is added after PROP when missing; keywords and description
// into every logical-fileinfo stream, whose title, author and copyright, where it has them, are
// kept in step with CONT. Values the script does not name stay as they were. Returns the number
// of chunks added.
std::size_t putClipInfo(std::vector<HeaderChunk> &chunks, const ClipInfo &info);

// Whether the header needs a logical-fileinfo stream of its own: it has none, and the script names
// keywords or a description.
bool needsFileInfoStream(const std::vector<HeaderChunk> &chunks, const ClipInfo &info);

// A logical-fileinfo stream with the keywords and description.
MediaProperties fileInfoStream(const ClipInfo &info, std::uint16_t streamNumber);

} // namespace rmevents
