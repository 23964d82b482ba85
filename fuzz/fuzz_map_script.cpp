// The click-map script reader, and the image-map stream built from what it accepts: its packet
// must read back as the map it was made from.

#include "format/ClipError.h"
#include "format/InteractiveLayout.h"
#include "merge/InteractiveStreams.h"
#include "script/MapScript.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace rmevents;
    const MapScript script = readMapScript(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!script.map)
        return 0;
    AddedStream stream;
    try {
        stream = imageMapStream(1, *script.map);
    } catch (const ClipError &) {
        return 0; // a URL or show text too long for a packet
    }
    if (stream.packets.size() != 1)
        std::abort();
    const ImageMapPacket map
        = parseImageMapPayload(std::string_view(stream.packets.front().bytes).substr(packetHeaderSize0), "the map");
    if (map.regions.size() != 1 || map.endTime != mapTime(script.map->endTenths) || map.regions[0].url != script.map->url
        || map.regions[0].status != script.map->alt)
        std::abort();
    return 0;
}
