#pragma once

#include "merge/MergeRequest.h"

#include <filesystem>

namespace rmevents {

// Merges the request into the source clip and writes the result to output. RealMedia and old
// RealAudio sources are told apart by their first bytes, whatever their names; anything else is
// refused. Throws ClipError, leaving no output, when the clip cannot be merged.
MergeOutcome mergeClip(const std::filesystem::path &source, const std::filesystem::path &output,
                       const MergeRequest &request);

} // namespace rmevents
