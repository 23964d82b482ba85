#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rmevents {

// Reads the big-endian fields of one structure held in memory. Reading past its end throws a
// ClipError that names the structure, so a damaged file gets a message instead of garbage.
class ByteReader
{
public:
    // what names the structure in messages, e.g. "MDPR chunk at offset 98".
    ByteReader(std::string_view bytes, std::string what);

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::string_view bytes(std::size_t count);
    // A text preceded by its length in one byte or in two bytes.
    std::string_view string8();
    std::string_view string16();

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    std::string_view rest() { return bytes(remaining()); }
    const std::string &what() const { return what_; }

private:
    void need(std::size_t count) const;

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::string what_;
};

} // namespace rmevents
