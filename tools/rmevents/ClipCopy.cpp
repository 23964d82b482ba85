#include "ClipCopy.h"

#include "PathText.h"
#include "SameFile.h"

#include <cerrno>
#include <fstream>
#include <memory>
#include <system_error>

namespace rmevents {
namespace {

constexpr std::size_t chunkSize = 2 * 1024 * 1024;

ClipCopyResult failure(std::string error)
{
    return {0, std::move(error)};
}

std::string reason(int error)
{
    return error ? ": " + std::generic_category().message(error) : std::string();
}

// Refuses what cannot or must not be copied, before anything is written.
std::optional<std::string> refusal(const std::filesystem::path &source, const std::filesystem::path &output)
{
    std::error_code error;
    const std::filesystem::file_status sourceStatus = std::filesystem::status(source, error);
    if (!std::filesystem::exists(sourceStatus))
        return "source " + quoted(source) + " does not exist";
    if (std::filesystem::is_directory(sourceStatus))
        return "source " + quoted(source) + " is a folder, not a clip";
    // A device or pipe could be endless to read.
    if (!std::filesystem::is_regular_file(sourceStatus))
        return "source " + quoted(source) + " is not a regular file";
    if (isSameFile(source, output))
        return "output " + quoted(output) + " is the source itself";
    const std::filesystem::file_status outputStatus = std::filesystem::status(output, error);
    if (std::filesystem::is_directory(outputStatus))
        return "output " + quoted(output) + " is a folder";
    // A failed copy removes the output, which must never take a device with it.
    if (std::filesystem::exists(outputStatus) && !std::filesystem::is_regular_file(outputStatus))
        return "output " + quoted(output) + " is not a regular file";
    return std::nullopt;
}

ClipCopyResult copyStreams(std::ifstream &in, std::ofstream &out, const std::filesystem::path &source,
                           const std::filesystem::path &output)
{
    const auto buffer = std::make_unique<char[]>(chunkSize);
    std::uint64_t copied = 0;
    for (;;) {
        errno = 0;
        in.read(buffer.get(), chunkSize);
        const std::streamsize count = in.gcount();
        if (in.bad() || (!in && !in.eof()))
            return failure("cannot read source " + quoted(source) + reason(errno));
        if (count > 0) {
            errno = 0;
            if (!out.write(buffer.get(), count))
                return failure("cannot write output " + quoted(output) + reason(errno));
            copied += static_cast<std::uint64_t>(count);
        }
        if (in.eof())
            break;
    }
    errno = 0;
    out.close();
    if (out.fail())
        return failure("cannot write output " + quoted(output) + reason(errno));
    return {copied, std::nullopt};
}

} // namespace

ClipCopyResult copyClip(const std::filesystem::path &source, const std::filesystem::path &output)
{
    if (std::optional<std::string> refused = refusal(source, output))
        return failure(std::move(*refused));

    errno = 0;
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return failure("cannot open source " + quoted(source) + reason(errno));
    errno = 0;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out)
        return failure("cannot create output " + quoted(output) + reason(errno));

    // From here on the output file is this run's own, so a failed copy removes it.
    ClipCopyResult result = copyStreams(in, out, source, output);
    if (result.error) {
        out.close();
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
    }
    return result;
}

} // namespace rmevents
