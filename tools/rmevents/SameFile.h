#pragma once

#include <filesystem>

namespace rmevents {

// Whether two paths name one file: the same file on disk when both exist, otherwise the same
// normalized absolute path (so a file about to be created is caught too).
bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second);

} // namespace rmevents
