#include "format/ByteReader.h"

#include "format/BigEndian.h"
#include "format/ClipError.h"

namespace rmevents {

ByteReader::ByteReader(std::string_view bytes, std::string what)
    : bytes_(bytes)
    , what_(std::move(what))
{}

void ByteReader::need(std::size_t count) const
{
    if (count > remaining())
        throw ClipError(what_ + " is damaged: it ends in the middle of a field");
}

std::uint8_t ByteReader::u8()
{
    need(1);
    return static_cast<std::uint8_t>(bytes_[position_++]);
}

std::uint16_t ByteReader::u16()
{
    need(2);
    const std::uint16_t value = loadU16(bytes_.data() + position_);
    position_ += 2;
    return value;
}

std::uint32_t ByteReader::u32()
{
    need(4);
    const std::uint32_t value = loadU32(bytes_.data() + position_);
    position_ += 4;
    return value;
}

std::string_view ByteReader::bytes(std::size_t count)
{
    need(count);
    const std::string_view taken = bytes_.substr(position_, count);
    position_ += count;
    return taken;
}

std::string_view ByteReader::string8()
{
    return bytes(u8());
}

std::string_view ByteReader::string16()
{
    return bytes(u16());
}

} // namespace rmevents
