#pragma once

#include "merge/MergeRequest.h"

#include <filesystem>

namespace rmevents {

class SourceFile;

// Writes an old RealAudio source (".ra" and 0xFD, versions 3 and 4) to output with its title,
// author, copyright and comment (the description) taken from the request, the audio unchanged.
// Such a file has no room for URL events, a click map, keywords or the times of title, author and
// copyright: the first two are refused, the keywords left out with a note, the texts kept without
// their times. Throws ClipError for version 5, texts over 255 bytes and damaged
// headers.
MergeOutcome mergeRealAudio(SourceFile &source, const std::filesystem::path &output, const MergeRequest &request);

} // namespace rmevents
