// The event script reader, and the event stream built from what it accepts: every packet must
// read back as the event it was made from.

#include "format/ClipError.h"
#include "format/InteractiveLayout.h"
#include "merge/InteractiveStreams.h"
#include "script/EventScript.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace rmevents;
    const EventScript script = readEventScript(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!script.problems.empty() || script.events.empty())
        return 0;
    AddedStream stream;
    try {
        stream = eventStream(1, script.events);
    } catch (const ClipError &) {
        return 0; // too many events, or a text too long for a packet
    }
    for (std::size_t number = 0; number < stream.packets.size(); ++number) {
        const std::string_view payload = std::string_view(stream.packets[number].bytes).substr(packetHeaderSize0);
        const EventPacket event = parseEventPayload(payload, "an event");
        if (event.sequenceNumber != number || stream.packets[number].timestamp != event.startTenths * 100u)
            std::abort();
        const bool known = std::ranges::any_of(script.events, [&event](const TimedEvent &original) {
            return original.text == event.text && original.startTenths == event.startTenths
                   && original.endTenths == event.stopTenths && std::uint16_t(original.type) == event.type;
        });
        if (!known)
            std::abort();
    }
    return 0;
}
