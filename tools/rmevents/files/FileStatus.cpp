#include "files/FileStatus.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#include <string_view>
#endif

namespace rmevents {

#ifdef _WIN32
namespace {

// Windows itself turns a reserved device name into a \\.\ path when it makes a path full.
bool isDeviceName(const std::filesystem::path &file)
{
    const DWORD length = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return false;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(file.c_str(), length, full.data(), nullptr);
    return written > 0 && written < length && std::wstring_view(full).starts_with(L"\\\\.\\");
}

} // namespace
#endif

std::filesystem::file_status fileStatus(const std::filesystem::path &file, std::error_code &error)
{
#ifdef _WIN32
    if (isDeviceName(file)) {
        error.clear();
        return std::filesystem::file_status(std::filesystem::file_type::character);
    }
#endif
    return std::filesystem::status(file, error);
}

} // namespace rmevents
