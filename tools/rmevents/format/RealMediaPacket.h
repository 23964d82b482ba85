#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rmevents {

// A media packet in a DATA chunk: version, length (header included), stream number and timestamp
// in milliseconds, then for version 0 a packet group and flags, for version 1 an ASM rule and
// flags. Any reader walks packets by their length, so packets of new streams can sit among the
// others.

inline constexpr std::size_t packetHeaderSize0 = 12;
inline constexpr std::size_t packetHeaderSize1 = 13;
inline constexpr std::size_t largestPacket = 0xFFFF;
inline constexpr std::uint8_t keyframeFlag = 0x02;

// A packet of a stream the merge adds, header included.
struct AddedPacket
{
    std::uint32_t timestamp;
    std::string bytes;
};

// A version-0 packet with the keyframe flag set. Throws ClipError naming what when the payload
// does not fit in one packet.
AddedPacket makePacket(std::uint16_t streamNumber, std::uint32_t timestamp, std::string_view payload,
                       std::string_view what);

} // namespace rmevents
