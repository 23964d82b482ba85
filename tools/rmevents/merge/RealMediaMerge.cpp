#include "merge/RealMediaMerge.h"

#include "files/OutputFile.h"
#include "files/SourceFile.h"
#include "format/ClipError.h"
#include "format/ClipInfoChunks.h"
#include "format/LogicalStream.h"
#include "format/RealMediaLayout.h"
#include "merge/ByteCopy.h"
#include "merge/InteractiveStreams.h"
#include "merge/OffsetMap.h"
#include "merge/PacketCopy.h"

#include <algorithm>
#include <limits>
#include <set>

namespace rmevents {
namespace {

constexpr std::uint32_t noAddedStream = 0x10000;
constexpr std::uint32_t largest32 = std::numeric_limits<std::uint32_t>::max();

std::uint32_t offset32(std::uint64_t offset, const std::string &what)
{
    if (offset > largest32)
        throw ClipError(what + " would lie beyond 4 GiB, which RealMedia cannot address");
    return static_cast<std::uint32_t>(offset);
}

std::uint32_t saturated32(std::uint64_t value)
{
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, largest32));
}

template<typename Chunk>
std::size_t countOf(const std::vector<HeaderChunk> &chunks)
{
    return static_cast<std::size_t>(std::ranges::count_if(chunks, [](const HeaderChunk &chunk) {
        return std::holds_alternative<Chunk>(chunk);
    }));
}

Properties &propertiesOf(std::vector<HeaderChunk> &chunks)
{
    return std::get<Properties>(*std::ranges::find_if(
        chunks, [](const HeaderChunk &chunk) { return std::holds_alternative<Properties>(chunk); }));
}

// The header section's bytes, and where its index chunks land in them.
struct HeaderBytes
{
    std::string bytes;
    std::vector<std::uint64_t> indexOffsets;
};

HeaderBytes headerBytes(const FileHeader &fileHeader, const std::vector<HeaderChunk> &chunks)
{
    HeaderBytes header{chunkBytes(fileHeader), {}};
    for (const HeaderChunk &chunk : chunks) {
        if (std::holds_alternative<IndexChunk>(chunk))
            header.indexOffsets.push_back(header.bytes.size());
        header.bytes += std::visit([](const auto &known) { return chunkBytes(known); }, chunk);
    }
    return header;
}

// Takes the URL-event and image-map streams of an earlier merge out of the header, with their
// index chunks, so that this merge's streams replace them. Returns their numbers.
std::set<std::uint16_t> removeInteractiveStreams(std::vector<HeaderChunk> &chunks)
{
    std::set<std::uint16_t> removed;
    for (const HeaderChunk &chunk : chunks) {
        if (const auto *stream = std::get_if<MediaProperties>(&chunk); stream && isInteractiveStream(*stream))
            removed.insert(stream->streamNumber);
    }
    std::erase_if(chunks, [&removed](const HeaderChunk &chunk) {
        if (const auto *stream = std::get_if<MediaProperties>(&chunk))
            return removed.contains(stream->streamNumber);
        if (const auto *index = std::get_if<IndexChunk>(&chunk))
            return removed.contains(index->streamNumber);
        return false;
    });
    return removed;
}

// Adds the streams of the URL events, the click map and, when needed, the clip information after
// the last stream header, numbered on from the highest number in use. Returns their headers'
// count.
std::size_t addStreams(std::vector<HeaderChunk> &chunks, const MergeRequest &request, std::vector<AddedStream> &added)
{
    std::uint32_t nextNumber = 0;
    for (const HeaderChunk &chunk : chunks) {
        if (const auto *stream = std::get_if<MediaProperties>(&chunk))
            nextNumber = std::max<std::uint32_t>(nextNumber, stream->streamNumber + 1u);
    }
    const auto takeNumber = [&nextNumber] {
        if (nextNumber >= noAddedStream)
            throw ClipError("the source uses stream number 65535, so there is no number left for another stream");
        return static_cast<std::uint16_t>(nextNumber++);
    };
    if (!request.events.empty())
        added.push_back(eventStream(takeNumber(), request.events));
    if (request.map)
        added.push_back(imageMapStream(takeNumber(), *request.map));

    std::vector<HeaderChunk> headers;
    for (const AddedStream &stream : added)
        headers.emplace_back(stream.header);
    if (needsFileInfoStream(chunks, request.info))
        headers.emplace_back(fileInfoStream(request.info, takeNumber()));
    const auto lastStream = std::ranges::find_if(chunks.rbegin(), chunks.rend(), [](const HeaderChunk &chunk) {
        return std::holds_alternative<MediaProperties>(chunk);
    });
    chunks.insert(lastStream.base(), headers.begin(), headers.end());
    return headers.size();
}

std::vector<AddedPacket> inTimeOrder(const std::vector<AddedStream> &streams)
{
    std::vector<AddedPacket> packets;
    for (const AddedStream &stream : streams)
        packets.insert(packets.end(), stream.packets.begin(), stream.packets.end());
    std::ranges::stable_sort(packets, {}, &AddedPacket::timestamp);
    return packets;
}

void carryOver(IndexChunk &index, const OffsetMap &map, std::uint32_t nextIndexOffset)
{
    for (IndexRecord &record : index.records)
        record.offset = offset32(map.map(record.offset), "a packet named by the index");
    index.nextIndexOffset = nextIndexOffset;
}

// A logical stream may name where its physical streams' data lies.
void carryOver(MediaProperties &stream, const OffsetMap &map)
{
    if (!stream.mimeType.starts_with("logical-"))
        return;
    std::optional<LogicalStream> logical = parseLogicalStream(stream.typeSpecificData);
    if (!logical)
        return;
    for (std::uint32_t &offset : logical->dataOffsets) {
        if (offset != 0)
            offset = offset32(map.map(offset), "the data of a logical stream");
    }
    stream.typeSpecificData = logicalStreamBytes(*logical);
}

std::string plural(std::size_t count, const std::string &noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string streamList(const std::vector<const MediaProperties *> &streams)
{
    std::string list;
    for (const MediaProperties *stream : streams)
        list += (list.empty() ? "" : ", ") + std::to_string(stream->streamNumber) + " (" + stream->mimeType + ")";
    return list;
}

std::vector<std::string> notesOn(const HeaderSection &source, const std::set<std::uint16_t> &replaced,
                                 const std::vector<HeaderChunk> &chunks)
{
    std::vector<std::string> notes = {"Source is RealMedia with "
                                      + plural(countOf<MediaProperties>(source.chunks), "stream") + " and "
                                      + plural(source.data.packetCount, "packet") + "."};
    std::vector<const MediaProperties *> old;
    for (const HeaderChunk &chunk : source.chunks) {
        if (const auto *stream = std::get_if<MediaProperties>(&chunk); stream && replaced.contains(stream->streamNumber))
            old.push_back(stream);
    }
    if (!old.empty())
        notes.push_back("Replaced the old interactive streams " + streamList(old) + " of an earlier merge.");
    std::vector<const MediaProperties *> added;
    for (const HeaderChunk &chunk : chunks) {
        const auto *stream = std::get_if<MediaProperties>(&chunk);
        const bool isNew = stream
                           && std::ranges::none_of(source.chunks, [stream](const HeaderChunk &old) {
                                  const auto *oldStream = std::get_if<MediaProperties>(&old);
                                  return oldStream && oldStream->streamNumber == stream->streamNumber;
                              });
        if (isNew || (stream && replaced.contains(stream->streamNumber)))
            added.push_back(stream);
    }
    if (!added.empty())
        notes.push_back("Added streams " + streamList(added) + ".");
    return notes;
}

} // namespace

MergeOutcome mergeRealMedia(SourceFile &source, const std::filesystem::path &outputPath, const MergeRequest &request)
{
    const HeaderSection sourceSection = readHeaderSection(source);
    HeaderSection section = sourceSection;
    std::vector<HeaderChunk> &chunks = section.chunks;
    std::vector<AddedStream> added;
    const std::size_t chunksBefore = chunks.size();
    const std::set<std::uint16_t> replaced = removeInteractiveStreams(chunks);
    const std::size_t removedChunks = chunksBefore - chunks.size();
    const std::size_t addedChunks = putClipInfo(chunks, request.info) + addStreams(chunks, request, added);
    // The count is informational to readers; a damaged one is kept from wrapping around.
    section.fileHeader.headerCount = static_cast<std::uint32_t>(
        std::max<std::int64_t>(0, std::int64_t(section.fileHeader.headerCount) + std::int64_t(addedChunks)
                                      - std::int64_t(removedChunks)));
    if (countOf<MediaProperties>(chunks) > 0xFFFF)
        throw ClipError("the output would hold more than 65535 streams");
    propertiesOf(chunks).streamCount = static_cast<std::uint16_t>(countOf<MediaProperties>(chunks));
    PacketChanges changes{inTimeOrder(added), added.empty() ? noAddedStream : added.front().header.streamNumber,
                          replaced};
    const std::vector<AddedPacket> &addedPackets = changes.added;

    // The header goes out twice: first as it stands, so the output grows from its first byte, and
    // again at the end with the offsets and counts then known. Its fields have fixed widths, so
    // both are of the same length.
    const HeaderBytes firstHeader = headerBytes(section.fileHeader, chunks);
    const std::uint64_t dataOffset = firstHeader.bytes.size();
    OffsetMap map(static_cast<std::int64_t>(dataOffset) - static_cast<std::int64_t>(section.dataOffset));
    OutputFile output(outputPath);
    output.write(firstHeader.bytes);
    output.write(chunkBytes(section.data));
    const PacketCopyResult copy = copyPackets(source, section.dataOffset + dataHeaderSize, section.data.packetCount,
                                              changes, output, map);
    const std::uint64_t packetCount = std::uint64_t(section.data.packetCount) - copy.packetsLeftOut
                                      + addedPackets.size();
    if (packetCount > largest32)
        throw ClipError("the output would hold more packets than RealMedia can count");

    std::vector<TailPiece> tail = readTail(source, copy.sourceEnd);
    std::erase_if(tail, [&replaced](const TailPiece &piece) {
        return piece.index && replaced.contains(piece.index->streamNumber);
    });
    std::vector<std::uint64_t> indexOffsets = firstHeader.indexOffsets;
    for (const TailPiece &piece : tail) {
        if (piece.index)
            indexOffsets.push_back(map.map(piece.offset));
    }
    std::size_t indexNumber = 0;
    const auto nextIndexOffset = [&] {
        ++indexNumber;
        return indexNumber < indexOffsets.size() ? offset32(indexOffsets[indexNumber], "an index chunk") : 0;
    };
    for (HeaderChunk &chunk : chunks) {
        if (auto *index = std::get_if<IndexChunk>(&chunk))
            carryOver(*index, map, nextIndexOffset());
        else if (auto *stream = std::get_if<MediaProperties>(&chunk))
            carryOver(*stream, map);
    }
    for (const TailPiece &piece : tail) {
        if (piece.index) {
            IndexChunk index = *piece.index;
            carryOver(index, map, nextIndexOffset());
            output.write(chunkBytes(index));
        } else {
            copyBytes(source, piece.offset, piece.length, output);
        }
    }

    Properties &properties = propertiesOf(chunks);
    properties.packetCount = static_cast<std::uint32_t>(packetCount);
    properties.dataOffset = offset32(dataOffset, "the DATA chunk");
    properties.indexOffset = indexOffsets.empty() ? 0 : offset32(indexOffsets.front(), "the index");
    if (!addedPackets.empty() || copy.packetsLeftOut > 0) {
        properties.averagePacketSize = packetCount == 0 ? 0 : static_cast<std::uint32_t>(copy.bytesWritten / packetCount);
        // An earlier merge added the bit rates of the streams replaced now.
        for (const HeaderChunk &chunk : sourceSection.chunks) {
            const auto *stream = std::get_if<MediaProperties>(&chunk);
            if (stream && replaced.contains(stream->streamNumber)) {
                properties.averageBitRate -= std::min(properties.averageBitRate, stream->averageBitRate);
                properties.maxBitRate -= std::min(properties.maxBitRate, stream->maxBitRate);
            }
        }
        for (const AddedStream &stream : added) {
            properties.maxPacketSize = std::max(properties.maxPacketSize, stream.header.maxPacketSize);
            properties.averageBitRate
                = saturated32(std::uint64_t(properties.averageBitRate) + stream.header.averageBitRate);
            properties.maxBitRate = saturated32(std::uint64_t(properties.maxBitRate) + stream.header.maxBitRate);
        }
    }
    DataHeader data = section.data;
    // Over 4 GiB the size cannot be told; readers walk the packets by count.
    data.size = saturated32(dataHeaderSize + copy.bytesWritten);
    data.packetCount = static_cast<std::uint32_t>(packetCount);
    data.nextDataOffset = 0;

    const HeaderBytes finalHeader = headerBytes(section.fileHeader, chunks);
    if (finalHeader.bytes.size() != dataOffset)
        throw ClipError("internal error: the header changed its length while being completed");
    output.overwrite(0, finalHeader.bytes);
    output.overwrite(dataOffset, chunkBytes(data));
    output.keep();

    MergeOutcome outcome;
    outcome.bytesWritten = output.size();
    outcome.infoRecordsWritten = request.info.recordCount();
    outcome.notes = notesOn(sourceSection, replaced, chunks);
    return outcome;
}

} // namespace rmevents
