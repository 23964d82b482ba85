#include "InteractiveStreams.h"

#include "BigEndian.h"
#include "ClipError.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace rmevents {
namespace {

// RealNetworks never published the layout of these two streams. Apart from the MIME types, the
// established names of the two kinds of stream, every code here is this tool's own choice, and
// this is the one place that makes it.
//
// Stream header (type-specific data), both streams; eight bytes, because general media readers
// read that much of any stream header before they set an unknown stream aside:
//   4 bytes  format tag
//   u16      layout version, 0
//   u16      number of packets
// URL-event packet:
//   u8       record letter of the event script, 'u'
//   u32      start, tenths of a second
//   u32      end, tenths of a second
//   u16 + n  target marker and URL, exactly as the script has them
// Image-map packet:
//   u32      start, tenths of a second (0)
//   u32      end, tenths of a second
//   u16      number of areas, 1
//   per area: u8 shape, u16 left, top, right, bottom, u16 + n URL, u16 + n ALT text
constexpr std::string_view eventMimeType = "application/x-pn-realevent";
constexpr std::string_view eventStreamName = "URL events";
constexpr std::string_view eventFormatTag = "EVNT";
constexpr char urlEventLetter = 'u';

constexpr std::string_view imageMapMimeType = "application/x-pn-imagemap";
constexpr std::string_view imageMapStreamName = "Image map";
constexpr std::string_view imageMapFormatTag = "IMAP";
constexpr std::uint8_t rectangleShape = 1;

constexpr std::uint16_t layoutVersion = 0;

std::string streamHeaderData(std::string_view formatTag, std::size_t packetCount)
{
    std::string data(formatTag);
    appendU16(data, layoutVersion);
    appendU16(data, static_cast<std::uint16_t>(packetCount));
    return data;
}

void appendText(std::string &out, std::string_view text, std::string_view what)
{
    if (text.size() > 0xFFFF)
        throw ClipError(std::string(what) + " is longer than 65535 bytes");
    appendU16(out, static_cast<std::uint16_t>(text.size()));
    out += text;
}

std::uint32_t milliseconds(std::uint32_t tenths)
{
    return tenths * 100;
}

MediaProperties streamHeader(std::uint16_t streamNumber, std::string_view name, std::string_view mimeType,
                             std::string_view formatTag, const std::vector<AddedPacket> &packets,
                             std::uint32_t duration)
{
    MediaProperties header;
    header.streamNumber = streamNumber;
    std::uint64_t bytes = 0;
    for (const AddedPacket &packet : packets) {
        bytes += packet.bytes.size();
        header.maxPacketSize = std::max(header.maxPacketSize, static_cast<std::uint32_t>(packet.bytes.size()));
    }
    header.averagePacketSize = packets.empty() ? 0 : static_cast<std::uint32_t>(bytes / packets.size());
    // Bits per second over the stream's time span, taken as at least a second.
    const std::uint64_t bitRate = bytes * 8 * 1000 / std::max<std::uint64_t>(duration, 1000);
    header.averageBitRate = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(bitRate, std::numeric_limits<std::uint32_t>::max()));
    header.maxBitRate = header.averageBitRate;
    header.duration = duration;
    header.streamName = name;
    header.mimeType = mimeType;
    header.typeSpecificData = streamHeaderData(formatTag, packets.size());
    return header;
}

} // namespace

AddedStream urlEventStream(std::uint16_t streamNumber, const std::vector<UrlEvent> &events)
{
    if (events.size() > 0xFFFF)
        throw ClipError("the event script holds more than 65535 URL events");
    std::vector<const UrlEvent *> inTimeOrder;
    for (const UrlEvent &event : events)
        inTimeOrder.push_back(&event);
    std::ranges::stable_sort(inTimeOrder, {}, &UrlEvent::startTenths);

    AddedStream stream;
    std::uint32_t lastTime = 0;
    for (const UrlEvent *event : inTimeOrder) {
        const std::string what = "the URL event on line " + std::to_string(event->line);
        std::string payload;
        appendU8(payload, urlEventLetter);
        appendU32(payload, event->startTenths);
        appendU32(payload, event->endTenths);
        appendText(payload, event->target, what);
        stream.packets.push_back(makePacket(streamNumber, milliseconds(event->startTenths), payload, what));
        lastTime = std::max({lastTime, milliseconds(event->startTenths), milliseconds(event->endTenths)});
    }
    stream.header = streamHeader(streamNumber, eventStreamName, eventMimeType, eventFormatTag, stream.packets,
                                 lastTime);
    return stream;
}

AddedStream imageMapStream(std::uint16_t streamNumber, const ClickMap &map)
{
    std::string payload;
    appendU32(payload, 0);
    appendU32(payload, map.endTenths);
    appendU16(payload, 1);
    appendU8(payload, rectangleShape);
    for (const std::uint16_t coordinate :
         {wholePicture.left, wholePicture.top, wholePicture.right, wholePicture.bottom})
        appendU16(payload, coordinate);
    appendText(payload, map.url, "the click map's URL");
    appendText(payload, map.alt, "the click map's show text");

    AddedStream stream;
    stream.packets.push_back(makePacket(streamNumber, 0, payload, "the click map"));
    stream.header = streamHeader(streamNumber, imageMapStreamName, imageMapMimeType, imageMapFormatTag,
                                 stream.packets, milliseconds(map.endTenths));
    return stream;
}

} // namespace rmevents
