#pragma once

#include "merge/MergeRequest.h"

#include <filesystem>

namespace rmevents {

class SourceFile;

// Writes the RealMedia source to output with the request merged in: clip information in CONT and
// the logical-fileinfo stream, URL events and the click map as streams of their own whose packets
// sit among the others by time. Every packet of the source is kept byte for byte, and every field
// that depends on sizes and positions (offsets in PROP, counts, index records and links) is made
// to fit the output. Throws ClipError when the source cannot be read as RealMedia.
MergeOutcome mergeRealMedia(SourceFile &source, const std::filesystem::path &output, const MergeRequest &request);

} // namespace rmevents
