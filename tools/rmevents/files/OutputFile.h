#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace rmevents {

// The output clip while it is being written. It grows with every write, which is what Clipvane's
// gauge watches. Unless kept, it is removed when this object goes away, so a failed merge leaves
// no output behind; a file that could not even be created is left alone.
class OutputFile
{
public:
    explicit OutputFile(const std::filesystem::path &path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    void write(std::string_view bytes);
    // Replaces bytes written earlier, for fields known only once the rest is written.
    void overwrite(std::uint64_t offset, std::string_view bytes);
    std::uint64_t size() const { return size_; }

    // Closes the file and keeps it.
    void keep();

private:
    [[noreturn]] void fail(int error) const;

    std::filesystem::path path_;
    std::ofstream stream_;
    std::uint64_t size_ = 0;
    bool kept_ = false;
};

} // namespace rmevents
