#include "files/SourceFile.h"

#include "files/PathText.h"
#include "format/ClipError.h"

#include <cerrno>
#include <system_error>

namespace rmevents {

SourceFile::SourceFile(const std::filesystem::path &path)
    : path_(path)
{
    errno = 0;
    stream_.open(path, std::ios::binary);
    if (!stream_)
        fail(errno);
    std::error_code error;
    size_ = std::filesystem::file_size(path, error);
    if (error)
        fail(error.value());
}

void SourceFile::fail(int error) const
{
    throw ClipError("cannot read source " + quoted(path_)
                    + (error ? ": " + std::generic_category().message(error) : std::string()));
}

std::string SourceFile::read(std::uint64_t offset, std::size_t count, std::string_view what)
{
    if (offset > size_ || count > size_ - offset)
        throw ClipError("the source is truncated: " + std::string(what) + " at offset " + std::to_string(offset)
                        + " runs past the end of the file");
    std::string bytes(count, '\0');
    seek(offset);
    if (readSome(bytes.data(), count) != count)
        fail(0);
    return bytes;
}

void SourceFile::seek(std::uint64_t offset)
{
    stream_.clear();
    errno = 0;
    if (!stream_.seekg(static_cast<std::streamoff>(offset)))
        fail(errno);
}

std::size_t SourceFile::readSome(char *buffer, std::size_t count)
{
    errno = 0;
    stream_.read(buffer, static_cast<std::streamsize>(count));
    if (stream_.bad() || (!stream_ && !stream_.eof()))
        fail(errno);
    return static_cast<std::size_t>(stream_.gcount());
}

} // namespace rmevents
