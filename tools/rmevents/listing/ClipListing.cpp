#include "listing/ClipListing.h"

#include "files/FileStatus.h"
#include "files/PathText.h"
#include "files/SourceFile.h"
#include "format/ClipError.h"
#include "format/ClipKind.h"
#include "format/InteractiveLayout.h"
#include "format/LogicalStream.h"
#include "format/PacketWindow.h"
#include "format/RealAudioHeader.h"
#include "format/RealMediaLayout.h"

#include <array>
#include <cstdio>
#include <map>
#include <new>
#include <sstream>
#include <string>
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

void listTexts(const std::array<std::string, 4> &texts, std::ostream &out)
{
    constexpr std::array<const char *, 4> names = {"Title", "Author", "Copyright", "Comment"};
    for (std::size_t field = 0; field < texts.size(); ++field) {
        if (!texts[field].empty())
            out << names[field] << ": " << shown(texts[field]) << '\n';
    }
}

void listFileInfo(const MediaProperties &stream, std::ostream &out)
{
    const std::optional<LogicalStream> logical = parseLogicalStream(stream.typeSpecificData);
    if (!logical)
        return;
    for (const auto &property : logical->properties) {
        const auto *named = std::get_if<NameValueProperty>(&property);
        if (!named || named->type != stringPropertyType)
            continue;
        std::string_view value = named->value;
        if (value.ends_with('\0'))
            value.remove_suffix(1);
        out << "File information " << shown(named->name) << ": " << shown(value) << '\n';
    }
}

void listEvent(const EventPacket &event, std::uint16_t stream, std::ostream &out)
{
    out << "Event " << event.sequenceNumber << " (stream " << stream << "): " << eventTypeName(event.type) << " from "
        << tenthsText(event.startTenths) << " to " << tenthsText(event.stopTenths) << ": " << shown(event.text)
        << '\n';
}

std::string valuesText(const std::vector<std::uint16_t> &values)
{
    std::string text;
    for (const std::uint16_t value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

void listImageMap(const ImageMapPacket &map, std::uint16_t stream, std::ostream &out)
{
    out << "Image map " << map.sequenceNumber << " (stream " << stream << "): from " << millisecondsText(map.startTime)
        << " to " << millisecondsText(map.endTime) << ", area " << valuesText({map.left, map.top, map.right, map.bottom})
        << ", " << plural(map.regions.size(), "region") << '\n';
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

void listRealMedia(SourceFile &source, std::ostream &out)
{
    const HeaderSection section = readHeaderSection(source);
    std::map<std::uint16_t, std::string> interactive; // stream number to MIME type
    std::vector<const MediaProperties *> streams;
    for (const HeaderChunk &chunk : section.chunks) {
        if (const auto *stream = std::get_if<MediaProperties>(&chunk)) {
            streams.push_back(stream);
            if (stream->mimeType == eventMimeType || stream->mimeType == imageMapMimeType)
                interactive.emplace(stream->streamNumber, stream->mimeType);
        }
    }
    out << "Clip: RealMedia, " << plural(streams.size(), "stream") << ", "
        << plural(section.data.packetCount, "packet") << '\n';
    for (const HeaderChunk &chunk : section.chunks) {
        if (const auto *content = std::get_if<ContentDescription>(&chunk))
            listTexts({content->title, content->author, content->copyright, content->comment}, out);
    }
    for (const MediaProperties *stream : streams) {
        out << "Stream " << stream->streamNumber << ": " << shown(stream->mimeType) << " "
            << quotedText(stream->streamName) << '\n';
        if (stream->mimeType == fileInfoMimeType)
            listFileInfo(*stream, out);
    }
    if (interactive.empty())
        return;
    PacketWindow window(source, section.dataOffset + dataHeaderSize, section.data.packetCount, nullptr);
    for (std::uint32_t number = 0; number < section.data.packetCount; ++number) {
        const PacketHeader packet = window.next(number);
        const auto found = interactive.find(packet.stream);
        if (found != interactive.end()) {
            const std::string what = "packet " + std::to_string(number + 1) + " (offset "
                                     + std::to_string(packet.offset) + ")";
            if (found->second == eventMimeType)
                listEvent(parseEventPayload(window.payload(packet), "the event " + what), packet.stream, out);
            else
                listImageMap(parseImageMapPayload(window.payload(packet), "the image map " + what), packet.stream,
                             out);
        }
        window.pass(packet);
    }
}

void listRealAudio(SourceFile &source, std::ostream &out)
{
    const RealAudioHeader header = readRealAudioHeader(source);
    out << "Clip: old RealAudio of version " << header.version << '\n';
    listTexts(header.layout.texts, out);
}

} // namespace

std::string clipListing(const std::filesystem::path &clip)
{
    std::error_code statusError;
    if (!std::filesystem::is_regular_file(fileStatus(clip, statusError)))
        throw ClipError(quoted(clip) + " is not a regular file");
    SourceFile source(clip);
    std::ostringstream listing;
    if (identifyClip(source, clip) == ClipKind::realMedia)
        listRealMedia(source, listing);
    else
        listRealAudio(source, listing);
    return listing.str();
}

int listClip(const std::filesystem::path &clip, std::ostream &out, std::ostream &errors)
{
    std::string reason;
    try {
        // Complete before it is printed, so a damaged clip gets its reason instead of half a
        // listing.
        out << clipListing(clip) << std::flush;
        return out ? 0 : 1;
    } catch (const std::bad_alloc &) {
        reason = "out of memory";
    } catch (const std::exception &error) {
        reason = error.what();
    }
    errors << "rmevents: cannot list " << quoted(clip) << ": " << reason << '\n';
    return 1;
}

} // namespace rmevents
