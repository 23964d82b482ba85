#pragma once

#include "script/ScriptText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

// The single clickable area of a click map: the whole picture from the start of the clip on.
struct ClickMap
{
    std::uint32_t endTenths;
    std::string url;
    std::string alt;
};

// The rectangle every click map covers; the script must name exactly this one.
struct MapRectangle
{
    std::uint16_t left, top, right, bottom;
};
inline constexpr MapRectangle wholePicture = {0, 0, 1024, 768};

struct MapScript
{
    // Present when problems is empty.
    std::optional<ClickMap> map;
    ScriptProblems problems;
};

// Reads a click-map script: a DURATION= line, then one <MAP> line whose END repeats that duration
// and whose single area holds a URL and an ALT text.
MapScript readMapScript(std::string_view script);

} // namespace rmevents
