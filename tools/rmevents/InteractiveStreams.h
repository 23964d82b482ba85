#pragma once

#include "EventScript.h"
#include "MapScript.h"
#include "RealMediaChunks.h"
#include "RealMediaPacket.h"

#include <cstdint>
#include <vector>

namespace rmevents {

// The two streams that carry a clip's interactivity: URL events, one packet per event at its start
// time, and the click map, one packet at the start of the clip.

struct AddedStream
{
    MediaProperties header;
    std::vector<AddedPacket> packets; // in time order
};

AddedStream urlEventStream(std::uint16_t streamNumber, const std::vector<UrlEvent> &events);
AddedStream imageMapStream(std::uint16_t streamNumber, const ClickMap &map);

} // namespace rmevents
