#pragma once

#include <filesystem>

namespace rmevents {

class SourceFile;

enum class ClipKind { realMedia, realAudio };

// Tells RealMedia and old RealAudio apart by the first bytes, whatever the file's name. Throws
// ClipError for an empty file and for anything else.
ClipKind identifyClip(SourceFile &source, const std::filesystem::path &path);

} // namespace rmevents
