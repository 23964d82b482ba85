#include "listing/ClipContents.h"

#include "files/FileStatus.h"
#include "files/PathText.h"
#include "files/SourceFile.h"
#include "format/ClipError.h"
#include "format/LogicalStream.h"
#include "format/PacketWindow.h"
#include "format/RealAudioHeader.h"
#include "format/RealMediaLayout.h"

#include <array>
#include <map>
#include <optional>
#include <string_view>

namespace rmevents {
namespace {

void addTexts(const std::array<std::string, 4> &texts, std::vector<ClipText> &to)
{
    constexpr std::array<ClipTextField, 4> fields = {ClipTextField::title, ClipTextField::author,
                                                     ClipTextField::copyright, ClipTextField::comment};
    for (std::size_t field = 0; field < texts.size(); ++field) {
        if (!texts[field].empty())
            to.push_back({fields[field], texts[field]});
    }
}

std::vector<NamedText> fileInformation(const MediaProperties &stream)
{
    std::vector<NamedText> information;
    const std::optional<LogicalStream> logical = parseLogicalStream(stream.typeSpecificData);
    if (!logical)
        return information;
    for (const auto &property : logical->properties) {
        const auto *named = std::get_if<NameValueProperty>(&property);
        if (!named || named->type != stringPropertyType)
            continue;
        std::string_view value = named->value;
        if (value.ends_with('\0'))
            value.remove_suffix(1);
        information.push_back({named->name, std::string(value)});
    }
    return information;
}

void readRealMedia(SourceFile &source, ClipContents &contents)
{
    const HeaderSection section = readHeaderSection(source);
    contents.packetCount = section.data.packetCount;
    std::map<std::uint16_t, std::string> interactive; // stream number to MIME type
    for (const HeaderChunk &chunk : section.chunks) {
        if (const auto *content = std::get_if<ContentDescription>(&chunk))
            addTexts({content->title, content->author, content->copyright, content->comment}, contents.texts);
        if (const auto *stream = std::get_if<MediaProperties>(&chunk)) {
            contents.streams.push_back({stream->streamNumber, stream->mimeType, stream->streamName,
                                        stream->mimeType == fileInfoMimeType ? fileInformation(*stream)
                                                                             : std::vector<NamedText>()});
            if (stream->mimeType == eventMimeType || stream->mimeType == imageMapMimeType)
                interactive.emplace(stream->streamNumber, stream->mimeType);
        }
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
                contents.interactivePackets.emplace_back(
                    ListedEvent{packet.stream, parseEventPayload(window.payload(packet), "the event " + what)});
            else
                contents.interactivePackets.emplace_back(ListedImageMap{
                    packet.stream, parseImageMapPayload(window.payload(packet), "the image map " + what)});
        }
        window.pass(packet);
    }
}

void readRealAudio(SourceFile &source, ClipContents &contents)
{
    const RealAudioHeader header = readRealAudioHeader(source);
    contents.realAudioVersion = header.version;
    addTexts(header.layout.texts, contents.texts);
}

} // namespace

ClipContents readClipContents(const std::filesystem::path &clip)
{
    std::error_code statusError;
    if (!std::filesystem::is_regular_file(fileStatus(clip, statusError)))
        throw ClipError(quoted(clip) + " is not a regular file");
    SourceFile source(clip);
    ClipContents contents;
    contents.kind = identifyClip(source, clip);
    if (contents.kind == ClipKind::realMedia)
        readRealMedia(source, contents);
    else
        readRealAudio(source, contents);
    return contents;
}

} // namespace rmevents
