#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rmevents {

struct Arguments
{
    std::optional<std::filesystem::path> source;
    std::optional<std::filesystem::path> output;
    std::optional<std::filesystem::path> events;
    std::optional<std::filesystem::path> map;
    std::optional<std::filesystem::path> log;
    // One readable line per mistake in the command line; empty when it is usable.
    std::vector<std::string> problems;
};

inline constexpr const char *usage = "usage: rmevents -i SOURCE -o OUTPUT -e EVENTS [-m MAP] -l LOG";
inline constexpr const char *listUsage = "       rmevents --list [--json] CLIP";

// Every option takes the following argument as its value, whatever it looks like: the caller
// passes an argument list, so a value may begin with '-' or hold any bytes.
Arguments parseArguments(const std::vector<std::filesystem::path> &commandLine);

} // namespace rmevents
