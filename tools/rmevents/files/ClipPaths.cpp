#include "files/ClipPaths.h"

#include "files/FileStatus.h"
#include "files/PathText.h"
#include "files/SameFile.h"

#include <system_error>

namespace rmevents {

std::optional<std::string> clipPathRefusal(const std::filesystem::path &source, const std::filesystem::path &output)
{
    std::error_code error;
    const std::filesystem::file_status sourceStatus = fileStatus(source, error);
    if (!std::filesystem::exists(sourceStatus))
        return "source " + quoted(source) + " does not exist";
    if (std::filesystem::is_directory(sourceStatus))
        return "source " + quoted(source) + " is a folder, not a clip";
    // A device or pipe could be endless to read.
    if (!std::filesystem::is_regular_file(sourceStatus))
        return "source " + quoted(source) + " is not a regular file";
    if (isSameFile(source, output))
        return "output " + quoted(output) + " is the source itself";
    const std::filesystem::file_status outputStatus = fileStatus(output, error);
    if (std::filesystem::is_directory(outputStatus))
        return "output " + quoted(output) + " is a folder";
    // A failed merge removes the output, which must never take a device with it.
    if (std::filesystem::exists(outputStatus) && !std::filesystem::is_regular_file(outputStatus))
        return "output " + quoted(output) + " is not a regular file";
    return std::nullopt;
}

} // namespace rmevents
