#pragma once

#include <filesystem>

namespace rmevents {

// Whether two paths name one file: the same file on disk when both exist, otherwise the same name
// in the same folder on disk (so a file about to be created is caught too), or, where a folder is
// missing as well, the same normalized absolute path. On Windows names are alike whatever their
// letter case.
bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second);

} // namespace rmevents
