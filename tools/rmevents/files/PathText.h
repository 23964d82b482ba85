#pragma once

#include <filesystem>
#include <string>

namespace rmevents {

// A path as UTF-8 text (its native bytes unchanged on POSIX), for the log and messages.
std::string pathText(const std::filesystem::path &path);

// pathText in double quotes, so blanks at either end stay visible.
std::string quoted(const std::filesystem::path &path);

} // namespace rmevents
