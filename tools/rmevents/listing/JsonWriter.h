#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace rmevents {

// Writes one JSON value as it is built, indented by two spaces a level, every member and element
// on a line of its own. The caller keeps it well formed: keys only inside objects, each followed
// by one value, and every container ended. Keys and strings must be valid UTF-8.
class JsonWriter
{
public:
    explicit JsonWriter(std::ostream &out);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void string(std::string_view utf8);
    void number(std::uint64_t value);
    // An array of numbers on one line, as short as a coordinate list reads best.
    void numbers(const std::vector<std::uint16_t> &values);

private:
    void beforeValue();
    void begin(char bracket);
    void end(char bracket);
    void newLine();
    void quoted(std::string_view utf8);

    std::ostream &out_;
    std::vector<bool> containerHasItems_; // one entry per open container, innermost last
    bool afterKey_ = false;
};

} // namespace rmevents
