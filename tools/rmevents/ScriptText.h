#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

struct ScriptProblem
{
    std::size_t line; // 1-based
    std::string message;
};

// Splits a script at CR LF or bare LF. The final line needs no line end, and a line end at the
// very end of the script does not open another line, so an empty script has no lines.
std::vector<std::string_view> splitScriptLines(std::string_view script);

// The bytes as they may appear inside a quoted message: control and non-ASCII bytes as \xNN.
std::string printable(std::string_view bytes);

} // namespace rmevents
