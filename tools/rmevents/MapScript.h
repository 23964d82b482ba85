#pragma once

#include "ScriptText.h"

#include <string_view>
#include <vector>

namespace rmevents {

// Checks a click-map script: a DURATION= line, then one <MAP> line whose END repeats that
// duration and whose single area holds a URL and an ALT text.
std::vector<ScriptProblem> checkMapScript(std::string_view script);

} // namespace rmevents
