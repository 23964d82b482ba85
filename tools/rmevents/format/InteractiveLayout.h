#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

// The payloads of the two streams that carry a clip's interactivity, as RealNetworks' player
// reads them: the event stream ("application/x-pn-realevent"), one packet per timed text, and the
// image-map stream ("application/x-pn-imagemap"), one packet per map. Encoding and decoding live
// together so that a clip's listing reads exactly what a merge writes.

inline constexpr std::string_view eventMimeType = "application/x-pn-realevent";
inline constexpr std::string_view imageMapMimeType = "application/x-pn-imagemap";

enum class EventType : std::uint16_t {
    title = 0x0000,
    author = 0x0001,
    copyright = 0x0002,
    url = 0x0020,
    custom = 0x0040,
};

// "URL", "title", ... or the number in hexadecimal for a type this tool does not name.
std::string eventTypeName(std::uint16_t type);

struct EventPacket
{
    std::uint16_t sequenceNumber = 0;
    std::uint32_t startTenths = 0;
    std::uint32_t stopTenths = 0;
    std::uint16_t type = 0;
    std::string text; // without the closing NUL
};

enum class MapShape : std::uint16_t { none = 0, rectangle = 1, circle = 2, polygon = 3 };
enum class MapAction : std::uint16_t { none = 0, browserUrl = 1, playerUrl = 2, playerSeek = 3 };

std::string mapShapeName(std::uint16_t shape);
std::string mapActionName(std::uint16_t action);

struct MapRegion
{
    std::uint32_t startTime = 0; // milliseconds
    std::uint32_t endTime = 0;
    std::uint16_t shape = 0;
    std::vector<std::uint16_t> values; // a rectangle: left, top, right, bottom
    std::uint16_t action = 0;
    std::uint32_t seekTime = 0;
    std::string url;    // without the closing NUL
    std::string status; // shown while the pointer is over the region
};

struct ImageMapPacket
{
    std::uint16_t sequenceNumber = 0;
    std::uint32_t startTime = 0; // milliseconds
    std::uint32_t endTime = 0;
    std::uint16_t left = 0, top = 0, right = 0, bottom = 0;
    std::vector<MapRegion> regions;
};

// Throw ClipError naming what when a text or the number of regions or values does not fit.
std::string eventPayload(const EventPacket &event, std::string_view what);
std::string imageMapPayload(const ImageMapPacket &map, std::string_view what);

// Throw ClipError naming what when the payload is damaged.
EventPacket parseEventPayload(std::string_view payload, const std::string &what);
ImageMapPacket parseImageMapPayload(std::string_view payload, const std::string &what);

// The milliseconds of a map time given in tenths of a second.
std::uint32_t mapTime(std::uint32_t tenths);

// The type-specific data of both streams' headers.
std::string interactiveStreamHeaderData();

} // namespace rmevents
