#include "listing/JsonWriter.h"

#include <cstdio>
#include <string>

namespace rmevents {

JsonWriter::JsonWriter(std::ostream &out) : out_(out) {}

void JsonWriter::beginObject()
{
    begin('{');
}

void JsonWriter::endObject()
{
    end('}');
}

void JsonWriter::beginArray()
{
    begin('[');
}

void JsonWriter::endArray()
{
    end(']');
}

void JsonWriter::key(std::string_view name)
{
    beforeValue();
    quoted(name);
    out_ << ": ";
    afterKey_ = true;
}

void JsonWriter::string(std::string_view utf8)
{
    beforeValue();
    quoted(utf8);
}

void JsonWriter::number(std::uint64_t value)
{
    beforeValue();
    out_ << value;
}

void JsonWriter::numbers(const std::vector<std::uint16_t> &values)
{
    beforeValue();
    out_ << '[';
    for (std::size_t index = 0; index < values.size(); ++index)
        out_ << (index == 0 ? "" : ", ") << values[index];
    out_ << ']';
}

// A member's value follows its key on the same line; anything else opens a line of its own.
void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (containerHasItems_.empty())
        return;
    if (containerHasItems_.back())
        out_ << ',';
    containerHasItems_.back() = true;
    newLine();
}

void JsonWriter::begin(char bracket)
{
    beforeValue();
    out_ << bracket;
    containerHasItems_.push_back(false);
}

void JsonWriter::end(char bracket)
{
    const bool hadItems = containerHasItems_.back();
    containerHasItems_.pop_back();
    if (hadItems)
        newLine();
    out_ << bracket;
}

void JsonWriter::newLine()
{
    out_ << '\n' << std::string(2 * containerHasItems_.size(), ' ');
}

// Quotes and backslashes escaped, control characters as \u00XX; every other byte as it is, which
// keeps UTF-8 intact.
void JsonWriter::quoted(std::string_view utf8)
{
    out_ << '"';
    for (const char byte : utf8) {
        const auto value = static_cast<unsigned char>(byte);
        if (byte == '"' || byte == '\\') {
            out_ << '\\' << byte;
        } else if (value < 0x20) {
            char escaped[7];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", value);
            out_ << escaped;
        } else {
            out_ << byte;
        }
    }
    out_ << '"';
}

} // namespace rmevents
