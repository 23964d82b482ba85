#include "listing/TextListing.h"

#include <array>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace rmevents {
namespace {

// Texts as they are, their bytes in the clip's own character set, with control bytes made visible.
std::string shown(std::string_view text)
{
    std::string line;
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x20 || value == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
            line += escaped;
        } else {
            line += byte;
        }
    }
    return line;
}

std::string quotedText(std::string_view text)
{
    return "\"" + shown(text) + "\"";
}

// HH:MM:SS.t, as the event script writes times.
std::string tenthsText(std::uint32_t tenths)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%u", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60,
                  tenths % 10);
    return text;
}

// H:MM:SS.mmm
std::string millisecondsText(std::uint32_t milliseconds)
{
    char text[24];
    std::snprintf(text, sizeof text, "%u:%02u:%02u.%03u", milliseconds / 3600000, milliseconds / 60000 % 60,
                  milliseconds / 1000 % 60, milliseconds % 1000);
    return text;
}

std::string plural(std::size_t count, const std::string &noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

void listKind(const ClipContents &contents, std::ostream &out)
{
    if (contents.kind == ClipKind::realMedia)
        out << "Clip: RealMedia, " << plural(contents.streams.size(), "stream") << ", "
            << plural(contents.packetCount, "packet") << '\n';
    else
        out << "Clip: old RealAudio of version " << contents.realAudioVersion << '\n';
}

void listText(const ClipText &text, std::ostream &out)
{
    constexpr std::array<const char *, 4> names = {"Title", "Author", "Copyright", "Comment"};
    out << names[static_cast<std::size_t>(text.field)] << ": " << shown(text.text) << '\n';
}

void listStream(const ListedStream &stream, std::ostream &out)
{
    out << "Stream " << stream.number << ": " << shown(stream.mimeType) << " " << quotedText(stream.name) << '\n';
    for (const NamedText &information : stream.fileInformation)
        out << "File information " << shown(information.name) << ": " << shown(information.text) << '\n';
}

void listEvent(const ListedEvent &listed, std::ostream &out)
{
    const EventPacket &event = listed.event;
    out << "Event " << event.sequenceNumber << " (stream " << listed.stream << "): " << eventTypeName(event.type)
        << " from " << tenthsText(event.startTenths) << " to " << tenthsText(event.stopTenths) << ": "
        << shown(event.text) << '\n';
}

std::string valuesText(const std::vector<std::uint16_t> &values)
{
    std::string text;
    for (const std::uint16_t value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

void listImageMap(const ListedImageMap &listed, std::ostream &out)
{
    const ImageMapPacket &map = listed.map;
    out << "Image map " << map.sequenceNumber << " (stream " << listed.stream << "): from "
        << millisecondsText(map.startTime) << " to " << millisecondsText(map.endTime) << ", area "
        << valuesText({map.left, map.top, map.right, map.bottom}) << ", " << plural(map.regions.size(), "region")
        << '\n';
    for (std::size_t number = 0; number < map.regions.size(); ++number) {
        const MapRegion &region = map.regions[number];
        out << "Region " << number + 1 << ": " << mapShapeName(region.shape) << " " << valuesText(region.values)
            << " from " << millisecondsText(region.startTime) << " to " << millisecondsText(region.endTime) << ", "
            << mapActionName(region.action);
        if (region.action == static_cast<std::uint16_t>(MapAction::playerSeek))
            out << " to " << millisecondsText(region.seekTime);
        out << ", URL " << quotedText(region.url) << ", status " << quotedText(region.status) << '\n';
    }
}

} // namespace

std::string textListing(const ClipContents &contents)
{
    std::ostringstream listing;
    listKind(contents, listing);
    for (const ClipText &text : contents.texts)
        listText(text, listing);
    for (const ListedStream &stream : contents.streams)
        listStream(stream, listing);
    for (const auto &packet : contents.interactivePackets) {
        if (const auto *event = std::get_if<ListedEvent>(&packet))
            listEvent(*event, listing);
        else
            listImageMap(std::get<ListedImageMap>(packet), listing);
    }
    return listing.str();
}

} // namespace rmevents
