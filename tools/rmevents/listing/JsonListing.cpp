#include "listing/JsonListing.h"

#include "listing/JsonWriter.h"
#include "listing/Utf8.h"

#include <array>
#include <sstream>
#include <string_view>

namespace rmevents {
namespace {

std::string hexBytes(std::string_view bytes)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += digits[value >> 4];
        hex += digits[value & 0x0f];
    }
    return hex;
}

// A text from the clip, losing nothing of a text in another character set.
void writeText(JsonWriter &json, std::string_view name, std::string_view text)
{
    json.key(name);
    if (isUtf8(text)) {
        json.string(text);
        return;
    }
    json.beginObject();
    json.key("bytes");
    json.string(hexBytes(text));
    json.endObject();
}

void writeNumber(JsonWriter &json, std::string_view name, std::uint64_t value)
{
    json.key(name);
    json.number(value);
}

void writeName(JsonWriter &json, std::string_view name, std::string_view value)
{
    json.key(name);
    json.string(value);
}

void writeNumbers(JsonWriter &json, std::string_view name, const std::vector<std::uint16_t> &values)
{
    json.key(name);
    json.numbers(values);
}

void writeKind(JsonWriter &json, const ClipContents &contents)
{
    if (contents.kind == ClipKind::realMedia) {
        writeName(json, "clip", "RealMedia");
        writeNumber(json, "packets", contents.packetCount);
    } else {
        writeName(json, "clip", "RealAudio");
        writeNumber(json, "version", contents.realAudioVersion);
    }
}

void writeInformation(JsonWriter &json, const std::vector<ClipText> &texts)
{
    constexpr std::array<std::string_view, 4> fields = {"title", "author", "copyright", "comment"};
    json.key("information");
    json.beginArray();
    for (const ClipText &text : texts) {
        json.beginObject();
        writeName(json, "field", fields[static_cast<std::size_t>(text.field)]);
        writeText(json, "text", text.text);
        json.endObject();
    }
    json.endArray();
}

void writeStream(JsonWriter &json, const ListedStream &stream)
{
    json.beginObject();
    writeNumber(json, "number", stream.number);
    writeText(json, "mimeType", stream.mimeType);
    writeText(json, "name", stream.name);
    if (!stream.fileInformation.empty()) {
        json.key("fileInformation");
        json.beginArray();
        for (const NamedText &information : stream.fileInformation) {
            json.beginObject();
            writeText(json, "name", information.name);
            writeText(json, "text", information.text);
            json.endObject();
        }
        json.endArray();
    }
    json.endObject();
}

void writeEvent(JsonWriter &json, const ListedEvent &listed)
{
    json.beginObject();
    writeNumber(json, "stream", listed.stream);
    writeNumber(json, "sequence", listed.event.sequenceNumber);
    writeName(json, "type", eventTypeName(listed.event.type));
    writeNumber(json, "startTenths", listed.event.startTenths);
    writeNumber(json, "endTenths", listed.event.stopTenths);
    writeText(json, "text", listed.event.text);
    json.endObject();
}

void writeRegion(JsonWriter &json, const MapRegion &region)
{
    json.beginObject();
    writeName(json, "shape", mapShapeName(region.shape));
    writeNumbers(json, "coordinates", region.values);
    writeNumber(json, "startMilliseconds", region.startTime);
    writeNumber(json, "endMilliseconds", region.endTime);
    writeName(json, "action", mapActionName(region.action));
    if (region.action == static_cast<std::uint16_t>(MapAction::playerSeek))
        writeNumber(json, "seekMilliseconds", region.seekTime);
    writeText(json, "url", region.url);
    writeText(json, "status", region.status);
    json.endObject();
}

void writeImageMap(JsonWriter &json, const ListedImageMap &listed)
{
    const ImageMapPacket &map = listed.map;
    json.beginObject();
    writeNumber(json, "stream", listed.stream);
    writeNumber(json, "sequence", map.sequenceNumber);
    writeNumber(json, "startMilliseconds", map.startTime);
    writeNumber(json, "endMilliseconds", map.endTime);
    writeNumbers(json, "area", {map.left, map.top, map.right, map.bottom});
    json.key("regions");
    json.beginArray();
    for (const MapRegion &region : map.regions)
        writeRegion(json, region);
    json.endArray();
    json.endObject();
}

// The events and the image maps each in an array of their own, in the clip's order.
template <typename Packet>
void writePackets(JsonWriter &json, std::string_view name, const ClipContents &contents,
                  void (*writePacket)(JsonWriter &, const Packet &))
{
    json.key(name);
    json.beginArray();
    for (const auto &packet : contents.interactivePackets) {
        if (const auto *listed = std::get_if<Packet>(&packet))
            writePacket(json, *listed);
    }
    json.endArray();
}

} // namespace

std::string jsonListing(const ClipContents &contents)
{
    std::ostringstream listing;
    JsonWriter json(listing);
    json.beginObject();
    writeKind(json, contents);
    writeInformation(json, contents.texts);
    json.key("streams");
    json.beginArray();
    for (const ListedStream &stream : contents.streams)
        writeStream(json, stream);
    json.endArray();
    writePackets(json, "events", contents, writeEvent);
    writePackets(json, "imageMaps", contents, writeImageMap);
    json.endObject();
    listing << '\n';
    return listing.str();
}

} // namespace rmevents
