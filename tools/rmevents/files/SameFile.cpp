#include "files/SameFile.h"

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

// Windows' file systems take names alike whatever their letter case.
bool sameSpelling(const std::filesystem::path &first, const std::filesystem::path &second)
{
    const std::wstring &firstName = first.native();
    const std::wstring &secondName = second.native();
    return CompareStringOrdinal(firstName.data(), static_cast<int>(firstName.size()), secondName.data(),
                                static_cast<int>(secondName.size()), TRUE)
           == CSTR_EQUAL;
}
#else
bool sameIdentity(const std::filesystem::path &first, const std::filesystem::path &second, std::error_code &error)
{
    return std::filesystem::equivalent(first, second, error);
}

bool sameSpelling(const std::filesystem::path &first, const std::filesystem::path &second)
{
    return first == second;
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
    const std::filesystem::path firstAbsolute = std::filesystem::absolute(first, firstError).lexically_normal();
    const std::filesystem::path secondAbsolute = std::filesystem::absolute(second, secondError).lexically_normal();
    if (firstError || secondError)
        return true;
    // A file about to be created: the same name in the same folder, however the folder is reached
    // (a linked folder, another drive letter).
    const std::filesystem::path firstFolder = firstAbsolute.parent_path();
    const std::filesystem::path secondFolder = secondAbsolute.parent_path();
    if (std::filesystem::exists(firstFolder, firstError) && std::filesystem::exists(secondFolder, secondError)) {
        std::error_code error;
        const bool sameFolder = sameIdentity(firstFolder, secondFolder, error);
        return (sameFolder || error) && sameSpelling(firstAbsolute.filename(), secondAbsolute.filename());
    }
    return sameSpelling(firstAbsolute, secondAbsolute);
}

} // namespace rmevents
