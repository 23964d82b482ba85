#include "EventScript.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>

namespace rmevents {
namespace {

// Each marker begins with the blank that separates it from the end time.
constexpr std::array<std::string_view, 3> targetMarkers
    = {" &&_rpexternal&&", " &&_rpbrowser&&", " &&_rpcontextwin&&"};

struct InfoRecord
{
    char letter;
    const char *name;
};

constexpr std::array<InfoRecord, 5> infoRecords = {{
    {'i', "title"},
    {'c', "copyright"},
    {'a', "author"},
    {'n', "keywords"},
    {'q', "description"},
}};

const InfoRecord *findInfoRecord(char letter)
{
    const auto found = std::ranges::find(infoRecords, letter, &InfoRecord::letter);
    return found == infoRecords.end() ? nullptr : &*found;
}

bool isTimePart(std::string_view part)
{
    return part.size() == 2 && std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; })
           && (part[0] - '0') * 10 + (part[1] - '0') <= 60;
}

// HH:MM:SS.0, two digits per part, each part 00 to 60.
bool isTime(std::string_view text)
{
    return text.size() == 10 && text[2] == ':' && text[5] == ':' && text.substr(8) == ".0"
           && isTimePart(text.substr(0, 2)) && isTimePart(text.substr(3, 2)) && isTimePart(text.substr(6, 2));
}

// Removes and returns the front of rest up to (not including) the next blank.
std::string_view takeField(std::string_view &rest)
{
    const std::string_view field = rest.substr(0, rest.find(' '));
    rest.remove_prefix(field.size());
    return field;
}

std::string badTime(const char *which, std::string_view field)
{
    return std::string("bad ") + which + " time '" + printable(field)
           + "' (expected HH:MM:SS.0, each part 00 to 60)";
}

// The reason a line is not a well-formed record, or an empty string when it is one.
std::string recordProblem(std::string_view line)
{
    if (line.empty())
        return "blank line";
    const char letter = line[0];
    const bool isUrlEvent = letter == 'u';
    if (!isUrlEvent && !findInfoRecord(letter))
        return "unknown record letter '" + printable(line.substr(0, 1)) + "'";
    if (line.size() < 2 || line[1] != ' ')
        return std::string("expected a blank after the record letter '") + letter + "'";

    std::string_view rest = line.substr(2);
    const std::string_view start = takeField(rest);
    if (!isTime(start))
        return badTime("start", start);
    if (rest.empty())
        return "missing end time";
    rest.remove_prefix(1);
    const std::string_view end = takeField(rest);
    if (!isTime(end))
        return badTime("end", end);

    if (isUrlEvent) {
        const bool hasMarker = std::ranges::any_of(
            targetMarkers, [rest](std::string_view marker) { return rest.starts_with(marker); });
        if (!hasMarker)
            return "expected a blank and a target marker (&&_rpexternal&&, &&_rpbrowser&& or "
                   "&&_rpcontextwin&&) after the end time";
    } else if (rest.empty()) {
        return "expected a blank and the text after the end time";
    }
    return {};
}

} // namespace

EventScriptCheck checkEventScript(std::string_view script)
{
    EventScriptCheck check;
    std::map<char, std::size_t> firstInfoLine;
    const std::vector<std::string_view> lines = splitScriptLines(script);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::size_t lineNumber = index + 1;
        const std::string_view line = lines[index];
        if (std::string problem = recordProblem(line); !problem.empty()) {
            check.problems.push_back({lineNumber, std::move(problem)});
            continue;
        }
        if (line[0] == 'u') {
            ++check.urlEvents;
            continue;
        }
        const auto [first, isFirst] = firstInfoLine.try_emplace(line[0], lineNumber);
        if (isFirst) {
            ++check.infoRecords;
        } else {
            check.problems.push_back(
                {lineNumber, std::string("repeated '") + line[0] + "' (" + findInfoRecord(line[0])->name
                                 + ") record; the first is on line " + std::to_string(first->second)});
        }
    }
    return check;
}

} // namespace rmevents
