#include "format/RealMediaLayout.h"

#include "files/SourceFile.h"
#include "format/BigEndian.h"
#include "format/ClipError.h"

#include <algorithm>

namespace rmevents {
namespace {

// Header chunks are read whole; a damaged size field must not make the tool allocate gigabytes.
constexpr std::uint32_t largestHeaderChunk = 16 * 1024 * 1024;
constexpr std::uint64_t largestIndexChunk = 256 * 1024 * 1024;

bool isChunkId(std::string_view id)
{
    return std::ranges::all_of(id, [](char c) { return c >= 0x20 && c < 0x7f; });
}

// How far an index chunk reaches. Some writers leave the records out of its size field, which
// then reads 20; the records are there all the same.
std::uint64_t indexExtent(SourceFile &source, std::uint64_t offset, const ChunkHeader &header)
{
    const std::string what = describeChunk("INDX", offset);
    if (header.size < indexHeaderSize)
        throw ClipError("the source is damaged: " + what + " is shorter than its own header");
    const std::string start = source.read(offset, indexHeaderSize, what);
    const std::uint64_t recordCount = loadU32(start.data() + chunkHeaderSize);
    const std::uint64_t needed = indexHeaderSize + recordCount * indexRecordSize;
    if (header.size == indexHeaderSize)
        return needed;
    if (header.size < needed)
        throw ClipError("the source is damaged: " + what + " is " + std::to_string(header.size)
                        + " bytes long, too short for the records it counts");
    return header.size;
}

IndexChunk readIndex(SourceFile &source, std::uint64_t offset, std::uint64_t extent)
{
    if (extent > largestIndexChunk)
        throw ClipError("the source is damaged: " + describeChunk("INDX", offset) + " claims "
                        + std::to_string(extent) + " bytes");
    return parseIndexChunk(source.read(offset, static_cast<std::size_t>(extent), describeChunk("INDX", offset)),
                           offset);
}

HeaderChunk parseHeaderChunk(const ChunkHeader &header, std::string chunk, std::uint64_t offset)
{
    if (header.id == "PROP")
        return parseProperties(chunk, offset);
    if (header.id == "CONT")
        return parseContentDescription(chunk, offset);
    if (header.id == "MDPR")
        return parseMediaProperties(chunk, offset);
    return RawChunk{std::move(chunk)};
}

} // namespace

HeaderSection readHeaderSection(SourceFile &source)
{
    HeaderSection section;
    const ChunkHeader fileHeader = parseChunkHeader(source.read(0, chunkHeaderSize, "the .RMF chunk"));
    if (fileHeader.size < chunkHeaderSize + 8 || fileHeader.size > largestHeaderChunk)
        throw ClipError("the source is damaged: its .RMF chunk claims " + std::to_string(fileHeader.size) + " bytes");
    section.fileHeader = parseFileHeader(source.read(0, fileHeader.size, "the .RMF chunk"));

    std::size_t propertiesCount = 0;
    for (std::uint64_t offset = fileHeader.size;;) {
        if (source.size() - offset < chunkHeaderSize)
            throw ClipError("the source is truncated: it ends at offset " + std::to_string(source.size())
                            + ", before its DATA chunk");
        const ChunkHeader header = parseChunkHeader(source.read(offset, chunkHeaderSize, "a chunk header"));
        const std::string what = describeChunk(header.id, offset);
        if (!isChunkId(header.id))
            throw ClipError("the source is damaged: where a chunk should begin, at offset " + std::to_string(offset)
                            + ", there is none");
        if (header.id == "DATA") {
            section.dataOffset = offset;
            section.data = parseDataHeader(source.read(offset, dataHeaderSize, what), offset);
            break;
        }
        if (header.id == "INDX") {
            const std::uint64_t extent = indexExtent(source, offset, header);
            section.chunks.emplace_back(readIndex(source, offset, extent));
            offset += extent;
            continue;
        }
        if (header.size < chunkHeaderSize)
            throw ClipError("the source is damaged: " + what + " is shorter than its own header");
        if (header.size > largestHeaderChunk)
            throw ClipError("the source is damaged: " + what + " claims " + std::to_string(header.size) + " bytes");
        section.chunks.push_back(parseHeaderChunk(header, source.read(offset, header.size, what), offset));
        propertiesCount += header.id == "PROP";
        offset += header.size;
    }
    if (propertiesCount != 1)
        throw ClipError("the source is damaged: it holds " + std::to_string(propertiesCount)
                        + " PROP chunks instead of one");
    return section;
}

std::vector<TailPiece> readTail(SourceFile &source, std::uint64_t from)
{
    std::vector<TailPiece> pieces;
    std::uint64_t offset = from;
    while (offset < source.size()) {
        const std::uint64_t left = source.size() - offset;
        const ChunkHeader header = left < chunkHeaderSize
                                       ? ChunkHeader{}
                                       : parseChunkHeader(source.read(offset, chunkHeaderSize, "a chunk"));
        if (header.id == "DATA")
            throw ClipError("the source holds a second DATA chunk, at offset " + std::to_string(offset)
                            + "; clips with more than one are not supported");
        if (header.id == "INDX") {
            const std::uint64_t extent = indexExtent(source, offset, header);
            pieces.push_back({offset, extent, readIndex(source, offset, extent)});
            offset += extent;
            continue;
        }
        // Anything that does not read as a chunk runs to the end of the file and is kept as it is.
        const bool isChunk = header.id.size() == 4 && isChunkId(header.id) && header.size >= chunkHeaderSize
                             && header.size <= left;
        const std::uint64_t length = isChunk ? header.size : left;
        pieces.push_back({offset, length, std::nullopt});
        offset += length;
    }
    return pieces;
}

} // namespace rmevents
