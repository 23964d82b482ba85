#include "SameFile.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace rmevents {

namespace {

#ifdef _WIN32
// A file's identity on Windows: its volume and its index there. The C++ library's equivalent()
// first compares drive letters, so one file reached through two drives (a subst or mapped drive)
// would pass as two files.
bool identity(const std::filesystem::path &file, BY_HANDLE_FILE_INFORMATION &information)
{
    // No access asked, only the attributes: even a file that another program holds open can be
    // identified, and FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened too.
    const HANDLE handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(handle, &information);
    CloseHandle(handle);
    return known;
}

bool sameIdentity(const std::filesystem::path &first, const std::filesystem::path &second, std::error_code &error)
{
    BY_HANDLE_FILE_INFORMATION firstInformation;
    BY_HANDLE_FILE_INFORMATION secondInformation;
    if (!identity(first, firstInformation) || !identity(second, secondInformation)) {
        error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
        return false;
    }
    return firstInformation.dwVolumeSerialNumber == secondInformation.dwVolumeSerialNumber
           && firstInformation.nFileIndexHigh == secondInformation.nFileIndexHigh
           && firstInformation.nFileIndexLow == secondInformation.nFileIndexLow;
}
#else
bool sameIdentity(const std::filesystem::path &first, const std::filesystem::path &second, std::error_code &error)
{
    return std::filesystem::equivalent(first, second, error);
}
#endif

} // namespace

bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second)
{
    std::error_code firstError;
    std::error_code secondError;
    if (std::filesystem::exists(first, firstError) && std::filesystem::exists(second, secondError)) {
        std::error_code error;
        const bool same = sameIdentity(first, second, error);
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
