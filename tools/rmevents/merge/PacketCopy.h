#pragma once

#include "format/RealMediaPacket.h"

#include <cstdint>
#include <set>
#include <vector>

namespace rmevents {

class OffsetMap;
class OutputFile;
class SourceFile;

struct PacketCopyResult
{
    std::uint64_t sourceEnd; // just past the last source packet
    std::uint64_t bytesWritten;
    std::uint32_t packetsLeftOut; // of the dropped streams
};

// What the copy changes among the source's packets.
struct PacketChanges
{
    // In time order.
    std::vector<AddedPacket> added;
    // A source packet of a stream numbered this or higher would be taken for one of the added
    // streams, so it is refused.
    std::uint32_t firstAddedStream;
    // Streams whose packets are left out.
    std::set<std::uint16_t> droppedStreams;
};

// Copies the packetCount packets of a DATA chunk that begin at offset, walking them by count and
// each one's own length (the chunk's size field is not to be trusted), and puts the added packets
// among them: each before the first source packet with a later timestamp, the rest after the last.
// Records every insertion and removal in map.
PacketCopyResult copyPackets(SourceFile &source, std::uint64_t offset, std::uint32_t packetCount,
                             const PacketChanges &changes, OutputFile &output, OffsetMap &map);

} // namespace rmevents
