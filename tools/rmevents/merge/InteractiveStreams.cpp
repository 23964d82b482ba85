#include "merge/InteractiveStreams.h"

#include "format/ClipError.h"
#include "format/InteractiveLayout.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace rmevents {
namespace {

constexpr std::string_view eventStreamName = "Events";
constexpr std::string_view imageMapStreamName = "Image map";

std::uint32_t milliseconds(std::uint32_t tenths)
{
    return tenths * 100;
}

MediaProperties streamHeader(std::uint16_t streamNumber, std::string_view name, std::string_view mimeType,
                             const std::vector<AddedPacket> &packets, std::uint32_t duration)
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
    header.typeSpecificData = interactiveStreamHeaderData();
    return header;
}

std::string describeEvent(const TimedEvent &event)
{
    return "the " + eventTypeName(static_cast<std::uint16_t>(event.type)) + " event on line "
           + std::to_string(event.line);
}

} // namespace

AddedStream eventStream(std::uint16_t streamNumber, const std::vector<TimedEvent> &events)
{
    if (events.size() > 0xFFFF)
        throw ClipError("the event script holds more than 65535 events");
    std::vector<const TimedEvent *> inTimeOrder;
    for (const TimedEvent &event : events)
        inTimeOrder.push_back(&event);
    std::ranges::stable_sort(inTimeOrder, {}, &TimedEvent::startTenths);

    AddedStream stream;
    std::uint32_t lastTime = 0;
    for (const TimedEvent *event : inTimeOrder) {
        const std::string what = describeEvent(*event);
        EventPacket packet;
        packet.sequenceNumber = static_cast<std::uint16_t>(stream.packets.size());
        packet.startTenths = event->startTenths;
        packet.stopTenths = event->endTenths;
        packet.type = static_cast<std::uint16_t>(event->type);
        packet.text = event->text;
        stream.packets.push_back(
            makePacket(streamNumber, milliseconds(event->startTenths), eventPayload(packet, what), what));
        lastTime = std::max({lastTime, milliseconds(event->startTenths), milliseconds(event->endTenths)});
    }
    stream.header = streamHeader(streamNumber, eventStreamName, eventMimeType, stream.packets, lastTime);
    return stream;
}

AddedStream imageMapStream(std::uint16_t streamNumber, const ClickMap &map)
{
    MapRegion region;
    region.endTime = mapTime(map.endTenths);
    region.shape = static_cast<std::uint16_t>(MapShape::rectangle);
    region.values = {wholePicture.left, wholePicture.top, wholePicture.right, wholePicture.bottom};
    region.action = static_cast<std::uint16_t>(MapAction::browserUrl);
    region.url = map.url;
    region.status = map.alt;
    ImageMapPacket packet;
    packet.endTime = region.endTime;
    packet.left = wholePicture.left;
    packet.top = wholePicture.top;
    packet.right = wholePicture.right;
    packet.bottom = wholePicture.bottom;
    packet.regions.push_back(std::move(region));

    AddedStream stream;
    stream.packets.push_back(makePacket(streamNumber, 0, imageMapPayload(packet, "the click map"), "the click map"));
    stream.header = streamHeader(streamNumber, imageMapStreamName, imageMapMimeType, stream.packets,
                                 mapTime(map.endTenths));
    return stream;
}

bool isInteractiveStream(const MediaProperties &stream)
{
    return stream.mimeType == eventMimeType || stream.mimeType == imageMapMimeType;
}

} // namespace rmevents
