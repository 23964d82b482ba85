#include "files/OutputFile.h"

#include "files/PathText.h"
#include "format/ClipError.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace rmevents {

OutputFile::OutputFile(const std::filesystem::path &path)
    : path_(path)
{
    errno = 0;
    stream_.open(path, std::ios::binary | std::ios::trunc);
    if (!stream_) {
        const int error = errno;
        throw ClipError("cannot create output " + quoted(path_)
                        + (error ? ": " + std::generic_category().message(error) : std::string()));
    }
}

OutputFile::~OutputFile()
{
    if (kept_)
        return;
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

void OutputFile::fail(int error) const
{
    throw ClipError("cannot write output " + quoted(path_)
                    + (error ? ": " + std::generic_category().message(error) : std::string()));
}

void OutputFile::write(std::string_view bytes)
{
    errno = 0;
    if (!stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        fail(errno);
    size_ += bytes.size();
}

void OutputFile::overwrite(std::uint64_t offset, std::string_view bytes)
{
    errno = 0;
    if (!stream_.seekp(static_cast<std::streamoff>(offset))
        || !stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))
        || !stream_.seekp(static_cast<std::streamoff>(size_)))
        fail(errno);
}

void OutputFile::keep()
{
    errno = 0;
    stream_.close();
    if (stream_.fail())
        fail(errno);
    kept_ = true;
}

} // namespace rmevents
