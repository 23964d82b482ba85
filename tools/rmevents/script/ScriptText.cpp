#include "script/ScriptText.h"

#include <cstdio>

namespace rmevents {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t mostListedProblems = 100;

} // namespace

void ScriptProblems::add(std::size_t line, std::string message)
{
    if (listed_.size() < mostListedProblems)
        listed_.push_back({line, std::move(message)});
    ++count_;
}

ScriptLines::ScriptLines(std::string_view script)
    : rest_(script.starts_with(byteOrderMark) ? script.substr(byteOrderMark.size()) : script)
{}

std::optional<std::string_view> ScriptLines::next()
{
    if (rest_.empty())
        return std::nullopt;
    const std::size_t lineFeed = rest_.find('\n');
    std::string_view line = rest_.substr(0, lineFeed);
    rest_.remove_prefix(lineFeed == std::string_view::npos ? rest_.size() : lineFeed + 1);
    if (lineFeed != std::string_view::npos && line.ends_with('\r'))
        line.remove_suffix(1);
    ++number_;
    return line;
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
