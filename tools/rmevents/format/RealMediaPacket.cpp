#include "format/RealMediaPacket.h"

#include "format/BigEndian.h"
#include "format/ClipError.h"

namespace rmevents {

AddedPacket makePacket(std::uint16_t streamNumber, std::uint32_t timestamp, std::string_view payload,
                       std::string_view what)
{
    if (payload.size() > largestPacket - packetHeaderSize0)
        throw ClipError(std::string(what) + " is too long for one packet (" + std::to_string(payload.size())
                        + " bytes, at most " + std::to_string(largestPacket - packetHeaderSize0) + ")");
    std::string bytes;
    bytes.reserve(packetHeaderSize0 + payload.size());
    appendU16(bytes, 0);
    appendU16(bytes, static_cast<std::uint16_t>(packetHeaderSize0 + payload.size()));
    appendU16(bytes, streamNumber);
    appendU32(bytes, timestamp);
    appendU8(bytes, 0);
    appendU8(bytes, keyframeFlag);
    bytes += payload;
    return {timestamp, std::move(bytes)};
}

} // namespace rmevents
