#pragma once

#include "format/RealMediaChunks.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace rmevents {

class SourceFile;

// A chunk the merge carries over unchanged.
struct RawChunk
{
    std::string bytes;
};

inline std::string chunkBytes(const RawChunk &chunk)
{
    return chunk.bytes;
}

using HeaderChunk = std::variant<Properties, ContentDescription, MediaProperties, IndexChunk, RawChunk>;

// Everything before the packets: the .RMF header, the header chunks in file order and the DATA
// chunk's header.
struct HeaderSection
{
    FileHeader fileHeader;
    std::vector<HeaderChunk> chunks;
    std::uint64_t dataOffset = 0;
    DataHeader data;
};

// Reads the header section, refusing a file that is not RealMedia, is cut short, or holds no or
// several PROP chunks.
HeaderSection readHeaderSection(SourceFile &source);

// A piece of the file after the last packet: an index chunk, or bytes copied unchanged (other
// chunks, and trailing bytes that some encoders leave).
struct TailPiece
{
    std::uint64_t offset;
    std::uint64_t length;
    std::optional<IndexChunk> index;
};

std::vector<TailPiece> readTail(SourceFile &source, std::uint64_t from);

} // namespace rmevents
