#include "script/ScriptFile.h"

#include "files/FileStatus.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace rmevents {
namespace {

// Far more than any script Clipvane writes; a larger file is taken for a mistake, not read.
constexpr std::uintmax_t largestScript = 64 * 1024 * 1024;

std::string tooLarge(std::uintmax_t size)
{
    return "it is " + (size > largestScript ? std::to_string(size) + " bytes long" : std::string("growing"))
           + ", more than the 64 MiB a script may have";
}

} // namespace

ScriptFile readScriptFile(const std::filesystem::path &file)
{
    std::error_code statusError;
    const std::filesystem::file_status status = fileStatus(file, statusError);
    if (std::filesystem::is_directory(status))
        return {{}, "it is a folder"};
    // A device or a pipe could be endless, or wait for ever for a writer.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return {{}, "it is not a regular file"};
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
    if (!sizeError && size > largestScript)
        return {{}, tooLarge(size)};

    errno = 0;
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return {{}, errno ? std::generic_category().message(errno) : "cannot open it"};
    ScriptFile script;
    if (!sizeError)
        script.bytes.reserve(static_cast<std::size_t>(size));
    std::array<char, 64 * 1024> chunk;
    while (stream.read(chunk.data(), chunk.size()) || stream.gcount() > 0) {
        script.bytes.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
        // The file may have grown since its size was taken.
        if (script.bytes.size() > largestScript)
            return {{}, tooLarge(0)};
    }
    if (stream.bad())
        return {{}, "read error"};
    return script;
}

} // namespace rmevents
