#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace rmevents {

// The source clip, read only. Every failure, a short file included, throws a ClipError.
class SourceFile
{
public:
    explicit SourceFile(const std::filesystem::path &path);

    std::uint64_t size() const { return size_; }

    // Exactly count bytes at offset; what names them in the message when the file ends sooner.
    std::string read(std::uint64_t offset, std::size_t count, std::string_view what);

    // Sequential reading for the bulk of the clip: up to count bytes from where the last read
    // ended, fewer only at the end of the file.
    void seek(std::uint64_t offset);
    std::size_t readSome(char *buffer, std::size_t count);

private:
    [[noreturn]] void fail(int error) const;

    std::filesystem::path path_;
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};

} // namespace rmevents
