#pragma once

#include "ClipInfo.h"
#include "ScriptText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

struct UrlEvent
{
    std::size_t line; // 1-based, for messages
    std::uint32_t startTenths;
    std::uint32_t endTenths;
    // The target marker and the URL exactly as the script has them, e.g. "&&_rpexternal&&http://a".
    std::string target;
};

struct EventScript
{
    std::vector<UrlEvent> urlEvents;
    ClipInfo info;
    std::vector<ScriptProblem> problems;
};

// Reads every line of an event script: URL events ('u') and the clip-information records title
// ('i'), copyright ('c'), author ('a'), keywords ('n') and description ('q'), each at most once.
// The records are usable only when problems is empty.
EventScript readEventScript(std::string_view script);

} // namespace rmevents
