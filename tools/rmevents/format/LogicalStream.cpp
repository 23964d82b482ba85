#include "format/LogicalStream.h"

#include "format/BigEndian.h"
#include "format/ByteReader.h"
#include "format/ClipError.h"

#include <algorithm>
#include <limits>

namespace rmevents {
namespace {

constexpr std::size_t propertyHeaderSize = 6; // size and version

// A property of another version, or with bytes after its known fields, stays raw.
std::variant<NameValueProperty, std::string> parseProperty(ByteReader &reader)
{
    const std::uint32_t size = reader.u32();
    if (size < propertyHeaderSize)
        throw ClipError(reader.what() + " is damaged: a property is shorter than its own header");
    const std::string_view body = reader.bytes(size - 4);
    ByteReader fields(body, reader.what());
    if (fields.u16() == 0) {
        NameValueProperty property;
        property.name = fields.string8();
        property.type = fields.u32();
        property.value = fields.string16();
        if (fields.remaining() == 0)
            return property;
    }
    std::string raw;
    appendU32(raw, size);
    return raw + std::string(body);
}

std::string propertyBytes(const NameValueProperty &property)
{
    if (property.name.size() > 0xFF)
        throw ClipError("a stream property name is longer than 255 bytes");
    if (property.value.size() > 0xFFFF)
        throw ClipError("the stream property " + property.name + " would be "
                        + std::to_string(property.value.size()) + " bytes long; RealMedia holds at most 65535");
    std::string body;
    appendU16(body, 0);
    appendU8(body, static_cast<std::uint8_t>(property.name.size()));
    body += property.name;
    appendU32(body, property.type);
    appendU16(body, static_cast<std::uint16_t>(property.value.size()));
    body += property.value;
    std::string bytes;
    appendU32(bytes, static_cast<std::uint32_t>(4 + body.size()));
    return bytes + body;
}

bool sameName(std::string_view first, std::string_view second)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(first, second, {}, lower, lower);
}

} // namespace

std::optional<LogicalStream> parseLogicalStream(std::string_view typeSpecificData)
{
    try {
        ByteReader outer(typeSpecificData, "logical stream header");
        const std::uint32_t size = outer.u32();
        if (size < 6 || outer.u16() != 0)
            return std::nullopt;
        ByteReader reader(outer.bytes(size - 6), outer.what());
        LogicalStream stream;
        stream.physicalStreams.resize(reader.u16());
        for (std::uint16_t &number : stream.physicalStreams)
            number = reader.u16();
        stream.dataOffsets.resize(stream.physicalStreams.size());
        for (std::uint32_t &offset : stream.dataOffsets)
            offset = reader.u32();
        stream.rules.resize(reader.u16());
        for (std::uint16_t &rule : stream.rules)
            rule = reader.u16();
        const std::uint16_t propertyCount = reader.u16();
        for (std::uint16_t number = 0; number < propertyCount; ++number)
            stream.properties.push_back(parseProperty(reader));
        if (reader.remaining() != 0)
            return std::nullopt;
        stream.extra = outer.rest();
        return stream;
    } catch (const ClipError &) {
        return std::nullopt;
    }
}

std::string logicalStreamBytes(const LogicalStream &stream)
{
    std::string body;
    appendU16(body, 0);
    appendU16(body, static_cast<std::uint16_t>(stream.physicalStreams.size()));
    for (const std::uint16_t number : stream.physicalStreams)
        appendU16(body, number);
    for (const std::uint32_t offset : stream.dataOffsets)
        appendU32(body, offset);
    appendU16(body, static_cast<std::uint16_t>(stream.rules.size()));
    for (const std::uint16_t rule : stream.rules)
        appendU16(body, rule);
    if (stream.properties.size() > 0xFFFF)
        throw ClipError("a logical stream holds too many properties");
    appendU16(body, static_cast<std::uint16_t>(stream.properties.size()));
    for (const auto &property : stream.properties) {
        if (const auto *known = std::get_if<NameValueProperty>(&property))
            body += propertyBytes(*known);
        else
            body += std::get<std::string>(property);
    }
    if (body.size() > std::numeric_limits<std::uint32_t>::max() - 4)
        throw ClipError("a logical stream header would be larger than 4 GiB");
    std::string bytes;
    appendU32(bytes, static_cast<std::uint32_t>(4 + body.size()));
    return bytes + body + stream.extra;
}

void setStringProperty(LogicalStream &stream, std::string_view name, const std::string &text, bool addIfMissing)
{
    for (auto &entry : stream.properties) {
        auto *property = std::get_if<NameValueProperty>(&entry);
        if (!property || !sameName(property->name, name))
            continue;
        const bool endsWithNul = property->value.ends_with('\0');
        property->type = stringPropertyType;
        property->value = endsWithNul ? text + '\0' : text;
        return;
    }
    if (addIfMissing)
        stream.properties.emplace_back(NameValueProperty{std::string(name), stringPropertyType, text + '\0'});
}

} // namespace rmevents
