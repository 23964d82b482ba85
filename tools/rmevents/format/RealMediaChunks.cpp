#include "format/RealMediaChunks.h"

#include "format/BigEndian.h"
#include "format/ByteReader.h"
#include "format/ClipError.h"
#include "script/ScriptText.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace rmevents {
namespace {

// The reader of a chunk's fields after its header, once id and version are known to be right.
ByteReader chunkBody(std::string_view chunk, std::string_view id, std::uint64_t offset,
                     std::initializer_list<std::uint16_t> knownVersions)
{
    const ChunkHeader header = parseChunkHeader(chunk);
    const std::string what = describeChunk(id, offset);
    if (std::ranges::find(knownVersions, header.version) == knownVersions.end())
        throw ClipError(what + " has version " + std::to_string(header.version)
                        + ", which this tool does not know");
    return ByteReader(chunk.substr(chunkHeaderSize), what);
}

std::string withHeader(std::string_view id, std::uint16_t version, std::string_view body)
{
    if (body.size() > std::numeric_limits<std::uint32_t>::max() - chunkHeaderSize)
        throw ClipError("a " + std::string(id) + " chunk would be larger than 4 GiB");
    std::string chunk(id);
    appendU32(chunk, static_cast<std::uint32_t>(chunkHeaderSize + body.size()));
    appendU16(chunk, version);
    chunk += body;
    return chunk;
}

void appendString8(std::string &out, std::string_view text, const char *what)
{
    if (text.size() > 0xFF)
        throw ClipError(std::string(what) + " is longer than 255 bytes");
    appendU8(out, static_cast<std::uint8_t>(text.size()));
    out += text;
}

void appendString16(std::string &out, std::string_view text, const char *what)
{
    if (text.size() > 0xFFFF)
        throw ClipError(std::string(what) + " is " + std::to_string(text.size())
                        + " bytes long; RealMedia holds at most 65535");
    appendU16(out, static_cast<std::uint16_t>(text.size()));
    out += text;
}

} // namespace

ChunkHeader parseChunkHeader(std::string_view bytes)
{
    return {std::string(bytes.substr(0, 4)), loadU32(bytes.data() + 4), loadU16(bytes.data() + 8)};
}

std::string describeChunk(std::string_view id, std::uint64_t offset)
{
    return printable(id) + " chunk at offset " + std::to_string(offset);
}

FileHeader parseFileHeader(std::string_view chunk)
{
    ByteReader reader = chunkBody(chunk, ".RMF", 0, {0, 1});
    FileHeader header;
    header.version = parseChunkHeader(chunk).version;
    header.fileVersion = reader.u32();
    header.headerCount = reader.u32();
    header.extra = reader.rest();
    return header;
}

Properties parseProperties(std::string_view chunk, std::uint64_t offset)
{
    ByteReader reader = chunkBody(chunk, "PROP", offset, {0});
    Properties properties;
    properties.maxBitRate = reader.u32();
    properties.averageBitRate = reader.u32();
    properties.maxPacketSize = reader.u32();
    properties.averagePacketSize = reader.u32();
    properties.packetCount = reader.u32();
    properties.duration = reader.u32();
    properties.preroll = reader.u32();
    properties.indexOffset = reader.u32();
    properties.dataOffset = reader.u32();
    properties.streamCount = reader.u16();
    properties.flags = reader.u16();
    properties.extra = reader.rest();
    return properties;
}

ContentDescription parseContentDescription(std::string_view chunk, std::uint64_t offset)
{
    ByteReader reader = chunkBody(chunk, "CONT", offset, {0});
    ContentDescription content;
    content.title = reader.string16();
    content.author = reader.string16();
    content.copyright = reader.string16();
    content.comment = reader.string16();
    content.extra = reader.rest();
    return content;
}

MediaProperties parseMediaProperties(std::string_view chunk, std::uint64_t offset)
{
    ByteReader reader = chunkBody(chunk, "MDPR", offset, {0});
    MediaProperties properties;
    properties.streamNumber = reader.u16();
    properties.maxBitRate = reader.u32();
    properties.averageBitRate = reader.u32();
    properties.maxPacketSize = reader.u32();
    properties.averagePacketSize = reader.u32();
    properties.startTime = reader.u32();
    properties.preroll = reader.u32();
    properties.duration = reader.u32();
    properties.streamName = reader.string8();
    properties.mimeType = reader.string8();
    properties.typeSpecificData = reader.bytes(reader.u32());
    properties.extra = reader.rest();
    return properties;
}

IndexChunk parseIndexChunk(std::string_view chunk, std::uint64_t offset)
{
    ByteReader reader = chunkBody(chunk, "INDX", offset, {0});
    IndexChunk index;
    const std::uint32_t recordCount = reader.u32();
    index.streamNumber = reader.u16();
    index.nextIndexOffset = reader.u32();
    index.records.reserve(std::min<std::size_t>(recordCount, reader.remaining() / indexRecordSize));
    for (std::uint32_t number = 0; number < recordCount; ++number) {
        if (const std::uint16_t version = reader.u16(); version != 0)
            throw ClipError(reader.what() + " holds an index record of version " + std::to_string(version)
                            + ", which this tool does not know");
        IndexRecord record;
        record.timestamp = reader.u32();
        record.offset = reader.u32();
        record.packetNumber = reader.u32();
        index.records.push_back(record);
    }
    index.extra = reader.rest();
    return index;
}

DataHeader parseDataHeader(std::string_view header, std::uint64_t offset)
{
    ByteReader reader = chunkBody(header, "DATA", offset, {0});
    DataHeader data;
    data.size = parseChunkHeader(header).size;
    data.packetCount = reader.u32();
    data.nextDataOffset = reader.u32();
    return data;
}

std::string chunkBytes(const FileHeader &header)
{
    std::string body;
    appendU32(body, header.fileVersion);
    appendU32(body, header.headerCount);
    body += header.extra;
    return withHeader(".RMF", header.version, body);
}

std::string chunkBytes(const Properties &properties)
{
    std::string body;
    for (const std::uint32_t field :
         {properties.maxBitRate, properties.averageBitRate, properties.maxPacketSize, properties.averagePacketSize,
          properties.packetCount, properties.duration, properties.preroll, properties.indexOffset,
          properties.dataOffset})
        appendU32(body, field);
    appendU16(body, properties.streamCount);
    appendU16(body, properties.flags);
    body += properties.extra;
    return withHeader("PROP", 0, body);
}

std::string chunkBytes(const ContentDescription &content)
{
    std::string body;
    appendString16(body, content.title, "the title");
    appendString16(body, content.author, "the author");
    appendString16(body, content.copyright, "the copyright");
    appendString16(body, content.comment, "the comment (description)");
    body += content.extra;
    return withHeader("CONT", 0, body);
}

std::string chunkBytes(const MediaProperties &properties)
{
    std::string body;
    appendU16(body, properties.streamNumber);
    for (const std::uint32_t field :
         {properties.maxBitRate, properties.averageBitRate, properties.maxPacketSize, properties.averagePacketSize,
          properties.startTime, properties.preroll, properties.duration})
        appendU32(body, field);
    appendString8(body, properties.streamName, "a stream name");
    appendString8(body, properties.mimeType, "a stream's MIME type");
    if (properties.typeSpecificData.size() > std::numeric_limits<std::uint32_t>::max())
        throw ClipError("a stream header is larger than 4 GiB");
    appendU32(body, static_cast<std::uint32_t>(properties.typeSpecificData.size()));
    body += properties.typeSpecificData;
    body += properties.extra;
    return withHeader("MDPR", 0, body);
}

std::string chunkBytes(const IndexChunk &index)
{
    std::string body;
    appendU32(body, static_cast<std::uint32_t>(index.records.size()));
    appendU16(body, index.streamNumber);
    appendU32(body, index.nextIndexOffset);
    for (const IndexRecord &record : index.records) {
        appendU16(body, 0);
        appendU32(body, record.timestamp);
        appendU32(body, record.offset);
        appendU32(body, record.packetNumber);
    }
    body += index.extra;
    return withHeader("INDX", 0, body);
}

std::string chunkBytes(const DataHeader &header)
{
    std::string chunk = "DATA";
    appendU32(chunk, header.size);
    appendU16(chunk, 0);
    appendU32(chunk, header.packetCount);
    appendU32(chunk, header.nextDataOffset);
    return chunk;
}

} // namespace rmevents
