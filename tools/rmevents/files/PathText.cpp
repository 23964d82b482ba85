#include "files/PathText.h"

namespace rmevents {

std::string pathText(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char *>(text.data()), text.size()};
}

std::string quoted(const std::filesystem::path &path)
{
    return '"' + pathText(path) + '"';
}

} // namespace rmevents
