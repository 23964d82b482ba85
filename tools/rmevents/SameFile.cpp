#include "SameFile.h"

namespace rmevents {

bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second)
{
    std::error_code firstError;
    std::error_code secondError;
    if (std::filesystem::exists(first, firstError) && std::filesystem::exists(second, secondError)) {
        std::error_code error;
        const bool same = std::filesystem::equivalent(first, second, error);
        // When the file system cannot tell, assume the worst: the caller then refuses to write.
        return same || error;
    }
    const std::filesystem::path firstAbsolute = std::filesystem::absolute(first, firstError);
    const std::filesystem::path secondAbsolute = std::filesystem::absolute(second, secondError);
    if (firstError || secondError)
        return true;
    return firstAbsolute.lexically_normal() == secondAbsolute.lexically_normal();
}

} // namespace rmevents
