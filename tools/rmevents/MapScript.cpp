#include "MapScript.h"

#include <algorithm>
#include <optional>
#include <string>

namespace rmevents {
namespace {

constexpr std::string_view durationKey = "DURATION=";
constexpr std::string_view mapBegin = "<MAP START=0:0:0:0:0 END=";
constexpr std::string_view areaBegin
    = " COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE COORDS=0,0,1024,768 URL=\"";
constexpr std::string_view altBegin = "\" ALT=\"";
constexpr std::string_view mapEnd = "\"></MAP>";

bool isNumber(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
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

std::string badDuration(std::string_view text)
{
    return "bad duration '" + printable(text) + "' (expected 0:H:M:S:0)";
}

std::string quotedPiece(std::string_view piece)
{
    return "'" + std::string(piece) + "'";
}

// The duration of a well-formed DURATION= line.
std::optional<std::string_view> durationOf(std::string_view line, std::vector<ScriptProblem> &problems)
{
    if (!line.starts_with(durationKey)) {
        problems.push_back({1, "expected the line to begin with " + quotedPiece(durationKey)});
        return std::nullopt;
    }
    const std::string_view duration = line.substr(durationKey.size());
    if (!isDuration(duration)) {
        problems.push_back({1, badDuration(duration)});
        return std::nullopt;
    }
    return duration;
}

// The reason the <MAP> line is malformed, or an empty string when it is well formed.
// duration is absent when the DURATION= line was unusable.
std::string mapLineProblem(std::string_view line, std::optional<std::string_view> duration)
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
    if (duration && end != *duration)
        return "END=" + printable(end) + " differs from DURATION=" + printable(*duration);
    rest.remove_prefix(areaAt + areaBegin.size());
    if (!rest.ends_with(mapEnd))
        return "expected the line to end with " + quotedPiece(mapEnd);
    rest.remove_suffix(mapEnd.size());
    if (rest.find(altBegin) == std::string_view::npos)
        return "missing " + quotedPiece(altBegin) + " after the URL";
    return {};
}

} // namespace

std::vector<ScriptProblem> checkMapScript(std::string_view script)
{
    std::vector<ScriptProblem> problems;
    const std::vector<std::string_view> lines = splitScriptLines(script);
    if (lines.empty()) {
        problems.push_back({1, "empty click map: expected a DURATION= line and a <MAP> line"});
        return problems;
    }
    const std::optional<std::string_view> duration = durationOf(lines[0], problems);
    if (lines.size() < 2) {
        problems.push_back({2, "missing the <MAP> line"});
        return problems;
    }
    if (std::string problem = mapLineProblem(lines[1], duration); !problem.empty())
        problems.push_back({2, std::move(problem)});
    if (lines.size() > 2)
        problems.push_back({3, "unexpected line: a click map has exactly two lines"});
    return problems;
}

} // namespace rmevents
