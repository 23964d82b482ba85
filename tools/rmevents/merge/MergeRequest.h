#pragma once

#include "format/ClipInfo.h"
#include "script/EventScript.h"
#include "script/MapScript.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rmevents {

// What the scripts ask to put into a clip.
struct MergeRequest
{
    std::vector<TimedEvent> events; // URL events and timed clip information, in script order
    ClipInfo info;
    std::optional<ClickMap> map;

    std::size_t urlEventCount() const
    {
        std::size_t count = 0;
        for (const TimedEvent &event : events)
            count += event.type == EventType::url;
        return count;
    }
};

struct MergeOutcome
{
    std::uint64_t bytesWritten = 0;
    std::size_t infoRecordsWritten = 0;
    // Lines for the log about the source and what went where.
    std::vector<std::string> notes;
};

} // namespace rmevents
