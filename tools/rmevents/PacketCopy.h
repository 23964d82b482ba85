#pragma once

#include "RealMediaPacket.h"

#include <cstdint>
#include <vector>

namespace rmevents {

class OffsetMap;
class OutputFile;
class SourceFile;

struct PacketCopyResult
{
    std::uint64_t sourceEnd; // just past the last source packet
    std::uint64_t bytesWritten;
};

// Copies the packetCount packets of a DATA chunk that begin at offset, walking them by count and
// each one's own length (the chunk's size field is not to be trusted), and puts the added packets
// among them: each before the first source packet with a later timestamp, the rest after the last.
// added must be in time order. A source packet of a stream numbered firstAddedStream or higher
// would be taken for one of the added streams, so it is refused. Records every insertion in map.
PacketCopyResult copyPackets(SourceFile &source, std::uint64_t offset, std::uint32_t packetCount,
                             const std::vector<AddedPacket> &added, std::uint32_t firstAddedStream,
                             OutputFile &output, OffsetMap &map);

} // namespace rmevents
