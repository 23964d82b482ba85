#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace rmevents {

struct ScriptFile
{
    std::string bytes;
    // Why the file could not be read; absent when bytes holds the whole file.
    std::optional<std::string> error;
};

ScriptFile readScriptFile(const std::filesystem::path &file);

} // namespace rmevents
