#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rmevents {

// The type-specific data of a logical stream (MIME type "logical-..."), version 0: the physical
// streams it groups with their data offsets, its rules, and named properties. The
// "logical-fileinfo" stream uses the properties for clip information such as Keywords.

struct NameValueProperty
{
    std::string name;
    std::uint32_t type;
    std::string value;
};

inline constexpr std::uint32_t stringPropertyType = 2;

struct LogicalStream
{
    std::vector<std::uint16_t> physicalStreams;
    std::vector<std::uint32_t> dataOffsets; // one per physical stream, from the start of the file
    std::vector<std::uint16_t> rules;
    // A property of a version this tool does not know stays as its raw bytes.
    std::vector<std::variant<NameValueProperty, std::string>> properties;
    // Bytes of the type-specific data after the structure.
    std::string extra;
};

inline constexpr std::string_view fileInfoMimeType = "logical-fileinfo";

// Nothing when the data is damaged or of a version this tool does not know.
std::optional<LogicalStream> parseLogicalStream(std::string_view typeSpecificData);

// Throws ClipError when a value is longer than a property can hold.
std::string logicalStreamBytes(const LogicalStream &stream);

// Gives the string property name (compared without regard to ASCII case) the text. A missing
// property is added when addIfMissing is set. A value stored with a closing NUL keeps one, and new
// values get one.
void setStringProperty(LogicalStream &stream, std::string_view name, const std::string &text, bool addIfMissing);

} // namespace rmevents
