#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

// The merge tool reads and writes files, so a fuzz input becomes a file of this process's own in
// the temporary folder; the output beside it is removed with it.
class FuzzFile
{
public:
    FuzzFile(const std::uint8_t *data, std::size_t size);
    ~FuzzFile();
    FuzzFile(const FuzzFile &) = delete;
    FuzzFile &operator=(const FuzzFile &) = delete;

    const std::filesystem::path &path() const { return path_; }
    const std::filesystem::path &outputPath() const { return output_; }

private:
    std::filesystem::path path_;
    std::filesystem::path output_;
};
