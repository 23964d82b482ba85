#pragma once

#include "ScriptText.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace rmevents {

struct EventScriptCheck
{
    std::size_t urlEvents = 0;
    std::size_t infoRecords = 0;
    std::vector<ScriptProblem> problems;
};

// Checks every line of an event script: URL events ('u') and the clip-information records title
// ('i'), copyright ('c'), author ('a'), keywords ('n') and description ('q'), each at most once.
EventScriptCheck checkEventScript(std::string_view script);

} // namespace rmevents
