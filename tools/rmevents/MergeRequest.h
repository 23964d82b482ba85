#pragma once

#include "ClipInfo.h"
#include "EventScript.h"
#include "MapScript.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rmevents {

// What the scripts ask to put into a clip.
struct MergeRequest
{
    std::vector<UrlEvent> urlEvents;
    ClipInfo info;
    std::optional<ClickMap> map;
};

struct MergeOutcome
{
    std::uint64_t bytesWritten = 0;
    std::size_t infoRecordsWritten = 0;
    // Lines for the log about the source and what went where.
    std::vector<std::string> notes;
};

} // namespace rmevents
