#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rmevents {

// RealMedia and RealAudio store every number big-endian. These work on bytes whose presence the
// caller has made sure of; ByteReader adds the checks where a chunk may be damaged.

inline std::uint16_t loadU16(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
}

inline std::uint32_t loadU32(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
}

inline void appendU8(std::string &out, std::uint8_t value)
{
    out += static_cast<char>(value);
}

inline void appendU16(std::string &out, std::uint16_t value)
{
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value);
}

inline void appendU32(std::string &out, std::uint32_t value)
{
    appendU16(out, static_cast<std::uint16_t>(value >> 16));
    appendU16(out, static_cast<std::uint16_t>(value));
}

inline void storeU16(std::string &out, std::size_t at, std::uint16_t value)
{
    out[at] = static_cast<char>(value >> 8);
    out[at + 1] = static_cast<char>(value);
}

inline void storeU32(std::string &out, std::size_t at, std::uint32_t value)
{
    storeU16(out, at, static_cast<std::uint16_t>(value >> 16));
    storeU16(out, at + 2, static_cast<std::uint16_t>(value));
}

} // namespace rmevents
