#include "format/InteractiveLayout.h"

#include "format/BigEndian.h"
#include "format/ByteReader.h"
#include "format/ClipError.h"

#include <cstdio>

namespace rmevents {

// The field order, widths and codes follow the player-side RealMedia format headers of the Helix
// DNA sources (the event and image-map packet data and their event, shape and action codes). What
// those headers leave open is chosen here, and only here:
//
// - Event times are tenths of a second, as the headers stress. Map and region times are taken to
//   be milliseconds, the unit of every other RealMedia time: an inference, the headers name no
//   unit for them.
// - Every text is written with a closing NUL byte counted in its length, so a reader that takes
//   the length and one that reads up to the NUL both get the text. Reading, a closing NUL is
//   dropped when present.
// - The stream headers' type-specific data is not published; the Helix file reader hands it to
//   the renderer unread and accepts it empty. It is left empty: ffmpeg reports any bytes there as
//   an unsupported stream type, while empty it, MediaInfo and hachoir read the merged clip without
//   a complaint about these streams.

namespace {

std::uint16_t textLength(std::size_t size, std::size_t extra, std::string_view what)
{
    if (size + 1 + extra > 0xFFFF)
        throw ClipError(std::string(what) + " is longer than 65535 bytes");
    return static_cast<std::uint16_t>(size + 1 + extra);
}

void appendText(std::string &out, std::string_view text, std::string_view what)
{
    appendU16(out, textLength(text.size(), 0, what));
    out += text;
    out += '\0';
}

std::string withoutClosingNul(std::string_view text)
{
    if (text.ends_with('\0'))
        text.remove_suffix(1);
    return std::string(text);
}

std::uint16_t count16(std::size_t count, std::string_view what)
{
    if (count > 0xFFFF)
        throw ClipError(std::string(what) + " are more than 65535");
    return static_cast<std::uint16_t>(count);
}

std::string hexCode(std::uint16_t code)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", code);
    return text;
}

} // namespace

std::string eventTypeName(std::uint16_t type)
{
    switch (EventType(type)) {
    case EventType::title:
        return "title";
    case EventType::author:
        return "author";
    case EventType::copyright:
        return "copyright";
    case EventType::url:
        return "URL";
    case EventType::custom:
        return "custom";
    }
    return "type " + hexCode(type);
}

std::string mapShapeName(std::uint16_t shape)
{
    switch (MapShape(shape)) {
    case MapShape::none:
        return "no shape";
    case MapShape::rectangle:
        return "rectangle";
    case MapShape::circle:
        return "circle";
    case MapShape::polygon:
        return "polygon";
    }
    return "shape " + hexCode(shape);
}

std::string mapActionName(std::uint16_t action)
{
    switch (MapAction(action)) {
    case MapAction::none:
        return "no action";
    case MapAction::browserUrl:
        return "open in a browser";
    case MapAction::playerUrl:
        return "open in the player";
    case MapAction::playerSeek:
        return "seek the player";
    }
    return "action " + hexCode(action);
}

std::string eventPayload(const EventPacket &event, std::string_view what)
{
    std::string payload;
    appendU16(payload, event.sequenceNumber);
    appendU32(payload, event.startTenths);
    appendU32(payload, event.stopTenths);
    // The length counts the type field too.
    appendU16(payload, textLength(event.text.size(), 2, what));
    appendU16(payload, event.type);
    payload += event.text;
    payload += '\0';
    return payload;
}

std::string imageMapPayload(const ImageMapPacket &map, std::string_view what)
{
    std::string payload;
    appendU16(payload, map.sequenceNumber);
    appendU16(payload, count16(map.regions.size(), std::string(what) + "'s regions"));
    appendU32(payload, map.startTime);
    appendU32(payload, map.endTime);
    for (const std::uint16_t edge : {map.left, map.top, map.right, map.bottom})
        appendU16(payload, edge);
    for (const MapRegion &region : map.regions) {
        appendU32(payload, region.startTime);
        appendU32(payload, region.endTime);
        appendU16(payload, region.shape);
        appendU16(payload, count16(region.values.size(), std::string(what) + "'s region values"));
        for (const std::uint16_t value : region.values)
            appendU16(payload, value);
        appendU16(payload, region.action);
        appendU32(payload, region.seekTime);
        appendText(payload, region.url, std::string(what) + "'s URL");
        appendText(payload, region.status, std::string(what) + "'s status text");
    }
    return payload;
}

EventPacket parseEventPayload(std::string_view payload, const std::string &what)
{
    ByteReader reader(payload, what);
    EventPacket event;
    event.sequenceNumber = reader.u16();
    event.startTenths = reader.u32();
    event.stopTenths = reader.u32();
    const std::uint16_t length = reader.u16();
    if (length < 2)
        throw ClipError(what + " is damaged: its text length " + std::to_string(length) + " leaves no room for its type");
    event.type = reader.u16();
    event.text = withoutClosingNul(reader.bytes(length - 2u));
    return event;
}

ImageMapPacket parseImageMapPayload(std::string_view payload, const std::string &what)
{
    ByteReader reader(payload, what);
    ImageMapPacket map;
    map.sequenceNumber = reader.u16();
    const std::uint16_t regionCount = reader.u16();
    map.startTime = reader.u32();
    map.endTime = reader.u32();
    map.left = reader.u16();
    map.top = reader.u16();
    map.right = reader.u16();
    map.bottom = reader.u16();
    for (std::uint16_t number = 0; number < regionCount; ++number) {
        MapRegion region;
        region.startTime = reader.u32();
        region.endTime = reader.u32();
        region.shape = reader.u16();
        const std::uint16_t valueCount = reader.u16();
        for (std::uint16_t value = 0; value < valueCount; ++value)
            region.values.push_back(reader.u16());
        region.action = reader.u16();
        region.seekTime = reader.u32();
        region.url = withoutClosingNul(reader.string16());
        region.status = withoutClosingNul(reader.string16());
        map.regions.push_back(std::move(region));
    }
    return map;
}

std::uint32_t mapTime(std::uint32_t tenths)
{
    return tenths * 100;
}

std::string interactiveStreamHeaderData()
{
    return {};
}

} // namespace rmevents
