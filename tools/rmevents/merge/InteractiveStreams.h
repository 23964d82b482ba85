#pragma once

#include "format/RealMediaChunks.h"
#include "format/RealMediaPacket.h"
#include "script/EventScript.h"
#include "script/MapScript.h"

#include <cstdint>
#include <vector>

namespace rmevents {

// The two streams that carry a clip's interactivity: the timed events (URL events, title, author
// and copyright), one packet per event at its start time, and the click map, one packet at the
// start of the clip.

struct AddedStream
{
    MediaProperties header;
    std::vector<AddedPacket> packets; // in time order
};

AddedStream eventStream(std::uint16_t streamNumber, const std::vector<TimedEvent> &events);
AddedStream imageMapStream(std::uint16_t streamNumber, const ClickMap &map);

// Whether a stream of the source is one of these two kinds, which a merge replaces.
bool isInteractiveStream(const MediaProperties &stream);

} // namespace rmevents
