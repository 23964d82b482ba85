#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace rmevents {

// Why the source cannot be read or the output must not be written, checked before anything is
// written: a missing source, a folder, a device, and an output that is the source itself.
std::optional<std::string> clipPathRefusal(const std::filesystem::path &source, const std::filesystem::path &output);

} // namespace rmevents
