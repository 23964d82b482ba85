#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace rmevents {

struct ClipCopyResult
{
    std::uint64_t bytesWritten = 0;
    // Why the copy failed; absent on success.
    std::optional<std::string> error;
};

// Copies source to output in large chunks, so the output visibly grows while the copy runs.
// Refuses a missing source, a folder, and an output that is the source itself. On failure no
// output is left behind: a file this call created or emptied is removed again, and a file it
// never opened is not touched.
ClipCopyResult copyClip(const std::filesystem::path &source, const std::filesystem::path &output);

} // namespace rmevents
