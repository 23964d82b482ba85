#include "ScriptFile.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace rmevents {

ScriptFile readScriptFile(const std::filesystem::path &file)
{
    std::error_code statusError;
    if (std::filesystem::is_directory(file, statusError))
        return {{}, "it is a folder"};
    errno = 0;
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return {{}, errno ? std::generic_category().message(errno) : "cannot open it"};

    ScriptFile script;
    std::array<char, 64 * 1024> chunk;
    while (stream.read(chunk.data(), chunk.size()) || stream.gcount() > 0)
        script.bytes.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
    if (stream.bad())
        script.error = "read error";
    return script;
}

} // namespace rmevents
