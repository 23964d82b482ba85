#include "format/ClipInfoChunks.h"

#include "format/ClipError.h"
#include "format/LogicalStream.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace rmevents {
namespace {

bool isFileInfo(const HeaderChunk &chunk)
{
    const auto *stream = std::get_if<MediaProperties>(&chunk);
    return stream && stream->mimeType == fileInfoMimeType;
}

bool namesContent(const ClipInfo &info)
{
    return info.title || info.author || info.copyright || info.description;
}

void putInto(ContentDescription &content, const ClipInfo &info)
{
    if (info.title)
        content.title = *info.title;
    if (info.author)
        content.author = *info.author;
    if (info.copyright)
        content.copyright = *info.copyright;
    if (info.description)
        content.comment = *info.description;
}

void putInto(LogicalStream &fileInfo, const ClipInfo &info)
{
    // A reader that shows both would otherwise show the old title next to the new one.
    if (info.title)
        setStringProperty(fileInfo, "Title", *info.title, false);
    if (info.author)
        setStringProperty(fileInfo, "Author", *info.author, false);
    if (info.copyright)
        setStringProperty(fileInfo, "Copyright", *info.copyright, false);
    if (info.keywords)
        setStringProperty(fileInfo, "Keywords", *info.keywords, true);
    if (info.description)
        setStringProperty(fileInfo, "Description", *info.description, true);
}

} // namespace

std::size_t putClipInfo(std::vector<HeaderChunk> &chunks, const ClipInfo &info)
{
    if (info.recordCount() == 0)
        return 0;
    bool hasContent = false;
    for (HeaderChunk &chunk : chunks) {
        if (auto *content = std::get_if<ContentDescription>(&chunk)) {
            putInto(*content, info);
            hasContent = true;
        } else if (isFileInfo(chunk)) {
            MediaProperties &stream = std::get<MediaProperties>(chunk);
            std::optional<LogicalStream> fileInfo = parseLogicalStream(stream.typeSpecificData);
            if (!fileInfo)
                throw ClipError("the clip information of stream " + std::to_string(stream.streamNumber)
                                + " (logical-fileinfo) cannot be read, so it cannot be brought up to date");
            putInto(*fileInfo, info);
            stream.typeSpecificData = logicalStreamBytes(*fileInfo);
        }
    }
    if (hasContent || !namesContent(info))
        return 0;
    ContentDescription content;
    putInto(content, info);
    const auto properties = std::ranges::find_if(
        chunks, [](const HeaderChunk &chunk) { return std::holds_alternative<Properties>(chunk); });
    chunks.insert(std::next(properties), content);
    return 1;
}

bool needsFileInfoStream(const std::vector<HeaderChunk> &chunks, const ClipInfo &info)
{
    return (info.keywords || info.description) && std::ranges::none_of(chunks, isFileInfo);
}

MediaProperties fileInfoStream(const ClipInfo &info, std::uint16_t streamNumber)
{
    LogicalStream fileInfo;
    putInto(fileInfo, info);
    MediaProperties stream;
    stream.streamNumber = streamNumber;
    stream.mimeType = fileInfoMimeType;
    stream.typeSpecificData = logicalStreamBytes(fileInfo);
    return stream;
}

} // namespace rmevents
