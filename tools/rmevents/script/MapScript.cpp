#include "script/MapScript.h"

#include <algorithm>
#include <limits>
#include <variant>

namespace rmevents {
namespace {

constexpr std::string_view durationKey = "DURATION=";
constexpr std::string_view mapBegin = "<MAP START=0:0:0:0:0 END=";
constexpr std::string_view areaBegin
    = " COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"";
constexpr std::string_view altBegin = "\" ALT=\"";
constexpr std::string_view mapEnd = "\"></MAP>";

// Packet times are milliseconds in 32 bits, so that is the longest map.
constexpr std::uint64_t longestTenths = std::numeric_limits<std::uint32_t>::max() / 100;

bool isNumber(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a plain decimal number, or nothing once it passes limit.
std::optional<std::uint64_t> numberUpTo(std::string_view digits, std::uint64_t limit)
{
    std::uint64_t value = 0;
    for (const char digit : digits) {
        value = value * 10 + std::uint64_t(digit - '0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// 0:H:M:S:0 with H, M and S plain decimal numbers.
bool isDuration(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t colon = text.find(':', from);
        fields.push_back(text.substr(from, colon - from));
        if (colon == std::string_view::npos)
            break;
        from = colon + 1;
    }
    return fields.size() == 5 && fields[0] == "0" && fields[4] == "0" && isNumber(fields[1])
           && isNumber(fields[2]) && isNumber(fields[3]);
}

// The length of a well-formed duration, or nothing when it is too long to be a packet time.
std::optional<std::uint32_t> durationTenths(std::string_view duration)
{
    duration.remove_prefix(2);
    std::uint64_t seconds = 0;
    for (const std::uint64_t unit : {3600, 60, 1}) {
        const std::string_view field = duration.substr(0, duration.find(':'));
        duration.remove_prefix(field.size() + 1);
        const std::optional<std::uint64_t> value = numberUpTo(field, longestTenths);
        if (!value)
            return std::nullopt;
        seconds += *value * unit;
        if (seconds * 10 > longestTenths)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(seconds * 10);
}

std::string badDuration(std::string_view text)
{
    return "bad duration '" + printable(text) + "' (expected 0:H:M:S:0)";
}

std::string quotedPiece(std::string_view piece)
{
    return "'" + std::string(piece) + "'";
}

// The length of a well-formed DURATION= line.
std::optional<std::uint32_t> durationOf(std::string_view line, ScriptProblems &problems)
{
    if (!line.starts_with(durationKey)) {
        problems.add(1, "expected the line to begin with " + quotedPiece(durationKey));
        return std::nullopt;
    }
    const std::string_view duration = line.substr(durationKey.size());
    if (!isDuration(duration)) {
        problems.add(1, badDuration(duration));
        return std::nullopt;
    }
    const std::optional<std::uint32_t> tenths = durationTenths(duration);
    if (!tenths)
        problems.add(1, "duration '" + printable(duration) + "' is too long (at most "
                            + std::to_string(longestTenths / 36000) + " hours)");
    return tenths;
}

// The area of the <MAP> line, or the reason it is malformed. durationText is absent when the
// DURATION= line was unusable.
std::variant<ClickMap, std::string> parseMapLine(std::string_view line, std::optional<std::string_view> durationText)
{
    if (!line.starts_with(mapBegin))
        return "expected the line to begin with " + quotedPiece(mapBegin);
    std::string_view rest = line.substr(mapBegin.size());
    const std::size_t areaAt = rest.find(areaBegin);
    if (areaAt == std::string_view::npos)
        return "missing " + quotedPiece(areaBegin) + " after END=";
    const std::string_view end = rest.substr(0, areaAt);
    if (!isDuration(end))
        return badDuration(end);
    if (durationText && end != *durationText)
        return "END=" + printable(end) + " differs from DURATION=" + printable(*durationText);
    rest.remove_prefix(areaAt + areaBegin.size());
    if (!rest.ends_with(mapEnd))
        return "expected the line to end with " + quotedPiece(mapEnd);
    rest.remove_suffix(mapEnd.size());
    // Nothing in the script is escaped, so a URL or ALT text could hold the separator too; the
    // first one ends the URL, as a left-to-right reading of the tag would have it.
    const std::size_t altAt = rest.find(altBegin);
    if (altAt == std::string_view::npos)
        return "missing " + quotedPiece(altBegin) + " after the URL";
    return ClickMap{0, std::string(rest.substr(0, altAt)), std::string(rest.substr(altAt + altBegin.size()))};
}

} // namespace

MapScript readMapScript(std::string_view script)
{
    MapScript result;
    ScriptProblems &problems = result.problems;
    ScriptLines lines(script);
    const std::optional<std::string_view> durationLine = lines.next();
    if (!durationLine) {
        problems.add(1, "empty click map: expected a DURATION= line and a <MAP> line");
        return result;
    }
    const std::optional<std::uint32_t> tenths = durationOf(*durationLine, problems);
    const std::optional<std::string_view> mapLine = lines.next();
    if (!mapLine) {
        problems.add(2, "missing the <MAP> line");
        return result;
    }
    std::optional<std::string_view> durationText;
    if (durationLine->starts_with(durationKey) && isDuration(durationLine->substr(durationKey.size())))
        durationText = durationLine->substr(durationKey.size());
    std::variant<ClickMap, std::string> area = parseMapLine(*mapLine, durationText);
    if (auto *problem = std::get_if<std::string>(&area))
        problems.add(2, std::move(*problem));
    if (lines.next())
        problems.add(3, "unexpected line: a click map has exactly two lines");
    if (problems.empty()) {
        result.map = std::get<ClickMap>(std::move(area));
        result.map->endTenths = *tenths;
    }
    return result;
}

} // namespace rmevents
