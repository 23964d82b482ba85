#include "ScriptText.h"

#include <cstdio>

namespace rmevents {

std::vector<std::string_view> splitScriptLines(std::string_view script)
{
    std::vector<std::string_view> lines;
    while (!script.empty()) {
        const std::size_t lineFeed = script.find('\n');
        std::string_view line = script.substr(0, lineFeed);
        if (lineFeed != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        script.remove_prefix(lineFeed == std::string_view::npos ? script.size() : lineFeed + 1);
    }
    return lines;
}

std::string printable(std::string_view bytes)
{
    std::string text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x20 && value < 0x7f) {
            text += byte;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
            text += escaped;
        }
    }
    return text;
}

} // namespace rmevents
