#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

// The top-level chunks of a RealMedia file that the merge reads or changes. Every chunk begins
// with a four-character id, its size (these ten header bytes included) and a version; only
// version 0 of each (and 1 of .RMF) is known. Bytes a chunk holds beyond its known fields are
// kept as they are.

inline constexpr std::size_t chunkHeaderSize = 10;

struct ChunkHeader
{
    std::string id;
    std::uint32_t size;
    std::uint16_t version;
};

ChunkHeader parseChunkHeader(std::string_view bytes);
// "PROP chunk at offset 18", for messages.
std::string describeChunk(std::string_view id, std::uint64_t offset);

struct FileHeader // .RMF
{
    std::uint16_t version = 0;
    std::uint32_t fileVersion = 0;
    std::uint32_t headerCount = 0;
    std::string extra;
};

struct Properties // PROP
{
    std::uint32_t maxBitRate = 0;
    std::uint32_t averageBitRate = 0;
    std::uint32_t maxPacketSize = 0;
    std::uint32_t averagePacketSize = 0;
    std::uint32_t packetCount = 0;
    std::uint32_t duration = 0; // milliseconds
    std::uint32_t preroll = 0;
    std::uint32_t indexOffset = 0;
    std::uint32_t dataOffset = 0;
    std::uint16_t streamCount = 0;
    std::uint16_t flags = 0;
    std::string extra;
};

struct ContentDescription // CONT
{
    std::string title;
    std::string author;
    std::string copyright;
    std::string comment;
    std::string extra;
};

struct MediaProperties // MDPR
{
    std::uint16_t streamNumber = 0;
    std::uint32_t maxBitRate = 0;
    std::uint32_t averageBitRate = 0;
    std::uint32_t maxPacketSize = 0;
    std::uint32_t averagePacketSize = 0;
    std::uint32_t startTime = 0;
    std::uint32_t preroll = 0;
    std::uint32_t duration = 0;
    std::string streamName;
    std::string mimeType;
    std::string typeSpecificData;
    std::string extra;
};

struct IndexRecord
{
    std::uint32_t timestamp;
    std::uint32_t offset; // of the packet, from the start of the file
    std::uint32_t packetNumber;
};

struct IndexChunk // INDX
{
    std::uint16_t streamNumber = 0;
    std::uint32_t nextIndexOffset = 0;
    std::vector<IndexRecord> records;
    std::string extra;
};

inline constexpr std::size_t indexHeaderSize = 20;
inline constexpr std::size_t indexRecordSize = 14;

struct DataHeader // DATA, whose packets follow it
{
    std::uint32_t size = 0;
    std::uint32_t packetCount = 0;
    std::uint32_t nextDataOffset = 0;
};

inline constexpr std::size_t dataHeaderSize = 18;

// Each parse takes the whole chunk, its ten header bytes included, and its offset for messages;
// a damaged or unknown version throws ClipError.
FileHeader parseFileHeader(std::string_view chunk);
Properties parseProperties(std::string_view chunk, std::uint64_t offset);
ContentDescription parseContentDescription(std::string_view chunk, std::uint64_t offset);
MediaProperties parseMediaProperties(std::string_view chunk, std::uint64_t offset);
IndexChunk parseIndexChunk(std::string_view chunk, std::uint64_t offset);
DataHeader parseDataHeader(std::string_view header, std::uint64_t offset);

std::string chunkBytes(const FileHeader &header);
std::string chunkBytes(const Properties &properties);
// Throws ClipError when a text is longer than the chunk can hold.
std::string chunkBytes(const ContentDescription &content);
std::string chunkBytes(const MediaProperties &properties);
std::string chunkBytes(const IndexChunk &index);
std::string chunkBytes(const DataHeader &header);

} // namespace rmevents
