#include "script/EventScript.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <variant>

namespace rmevents {
namespace {

// Each marker begins with the blank that separates it from the end time.
constexpr std::array<std::string_view, 3> targetMarkers
    = {" &&_rpexternal&&", " &&_rpbrowser&&", " &&_rpcontextwin&&"};

struct InfoRecord
{
    char letter;
    const char *name;
    std::optional<std::string> ClipInfo::*field;
    std::optional<EventType> eventType; // for the records a player can show for a time
};

constexpr std::array<InfoRecord, 5> infoRecords = {{
    {'i', "title", &ClipInfo::title, EventType::title},
    {'c', "copyright", &ClipInfo::copyright, EventType::copyright},
    {'a', "author", &ClipInfo::author, EventType::author},
    {'n', "keywords", &ClipInfo::keywords, std::nullopt},
    {'q', "description", &ClipInfo::description, std::nullopt},
}};

const InfoRecord *findInfoRecord(char letter)
{
    const auto found = std::ranges::find(infoRecords, letter, &InfoRecord::letter);
    return found == infoRecords.end() ? nullptr : &*found;
}

int digitPair(std::string_view part)
{
    return (part[0] - '0') * 10 + (part[1] - '0');
}

bool isTimePart(std::string_view part)
{
    return part.size() == 2 && std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; })
           && digitPair(part) <= 60;
}

// HH:MM:SS.T, two digits per part, each part 00 to 60, and a digit of tenths: Clipvane writes 0,
// a hand-written script may give any.
bool isTime(std::string_view text)
{
    return text.size() == 10 && text[2] == ':' && text[5] == ':' && text[8] == '.' && text[9] >= '0'
           && text[9] <= '9' && isTimePart(text.substr(0, 2)) && isTimePart(text.substr(3, 2)) && isTimePart(text.substr(6, 2));
}

std::uint32_t tenthsOf(std::string_view time)
{
    const int seconds = (digitPair(time.substr(0, 2)) * 60 + digitPair(time.substr(3, 2))) * 60
                        + digitPair(time.substr(6, 2));
    return static_cast<std::uint32_t>(seconds * 10 + (time[9] - '0'));
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
           + "' (expected HH:MM:SS.T, each part 00 to 60, T the tenths)";
}

struct Record
{
    char letter = 0;
    std::string_view start;
    std::string_view end;
    // After the end time and its blank: the marker and URL, or the information text.
    std::string_view text;
};

// The record on the line, or the reason it is not a well-formed record.
std::variant<Record, std::string> parseRecord(std::string_view line)
{
    if (line.empty())
        return "blank line";
    Record record;
    record.letter = line[0];
    const bool isUrlEvent = record.letter == 'u';
    if (!isUrlEvent && !findInfoRecord(record.letter))
        return "unknown record letter '" + printable(line.substr(0, 1)) + "'";
    if (line.size() < 2 || line[1] != ' ')
        return std::string("expected a blank after the record letter '") + record.letter + "'";

    std::string_view rest = line.substr(2);
    record.start = takeField(rest);
    if (!isTime(record.start))
        return badTime("start", record.start);
    if (rest.empty())
        return "missing end time";
    rest.remove_prefix(1);
    record.end = takeField(rest);
    if (!isTime(record.end))
        return badTime("end", record.end);

    if (isUrlEvent) {
        const bool hasMarker = std::ranges::any_of(
            targetMarkers, [rest](std::string_view marker) { return rest.starts_with(marker); });
        if (!hasMarker)
            return "expected a blank and a target marker (&&_rpexternal&&, &&_rpbrowser&& or "
                   "&&_rpcontextwin&&) after the end time";
    } else if (rest.empty()) {
        return "expected a blank and the text after the end time";
    }
    record.text = rest.substr(1);
    return record;
}

} // namespace

EventScript readEventScript(std::string_view script)
{
    EventScript result;
    std::map<char, std::size_t> firstInfoLine;
    ScriptLines lines(script);
    while (const std::optional<std::string_view> line = lines.next()) {
        const std::size_t lineNumber = lines.number();
        std::variant<Record, std::string> parsed = parseRecord(*line);
        if (auto *problem = std::get_if<std::string>(&parsed)) {
            result.problems.add(lineNumber, std::move(*problem));
            continue;
        }
        const Record &record = std::get<Record>(parsed);
        const auto addEvent = [&](EventType type) {
            result.events.push_back(
                {lineNumber, type, tenthsOf(record.start), tenthsOf(record.end), std::string(record.text)});
        };
        if (record.letter == 'u') {
            addEvent(EventType::url);
            continue;
        }
        const InfoRecord &info = *findInfoRecord(record.letter);
        const auto [first, isFirst] = firstInfoLine.try_emplace(record.letter, lineNumber);
        if (isFirst) {
            result.info.*info.field = std::string(record.text);
            if (info.eventType)
                addEvent(*info.eventType);
        } else {
            result.problems.add(lineNumber, std::string("repeated '") + record.letter + "' (" + info.name
                                                + ") record; the first is on line " + std::to_string(first->second));
        }
    }
    return result;
}

} // namespace rmevents
