#include "FuzzFile.h"

#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace {

// Several fuzzing processes may share the temporary folder.
const std::string &processTag()
{
    static const std::string tag = std::to_string(std::random_device{}());
    return tag;
}

} // namespace

FuzzFile::FuzzFile(const std::uint8_t *data, std::size_t size)
    : path_(std::filesystem::temp_directory_path() / ("rmevents-fuzz-" + processTag() + ".rm"))
    , output_(std::filesystem::temp_directory_path() / ("rmevents-fuzz-" + processTag() + "-out.rm"))
{
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    if (!file.flush())
        throw std::runtime_error("cannot write the fuzz input to " + path_.string());
}

FuzzFile::~FuzzFile()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    std::filesystem::remove(output_, ignored);
}
