#pragma once

#include "format/ClipInfo.h"
#include "format/InteractiveLayout.h"
#include "script/ScriptText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

// A text the player shows or opens for a span of the clip: a URL event, or the title, author or
// copyright.
struct TimedEvent
{
    std::size_t line; // 1-based, for messages
    EventType type;
    std::uint32_t startTenths;
    std::uint32_t endTenths;
    // For a URL event the target marker and the URL exactly as the script has them, e.g.
    // "&&_rpexternal&&http://a"; else the information text.
    std::string text;
};

struct EventScript
{
    // In script order.
    std::vector<TimedEvent> events;
    ClipInfo info;
    ScriptProblems problems;
};

// Reads every line of an event script: URL events ('u') and the clip-information records title
// ('i'), copyright ('c'), author ('a'), keywords ('n') and description ('q'), each at most once.
// Title, author and copyright are timed events as well as clip information; keywords and
// description are clip information only. The records are usable only when problems is empty.
EventScript readEventScript(std::string_view script);

} // namespace rmevents
