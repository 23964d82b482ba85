#pragma once

#include <filesystem>
#include <system_error>

namespace rmevents {

// std::filesystem::status, except that on Windows a name in the device namespace is a character
// device: NUL, CON, COM1 and the other reserved names (in any folder, with any extension) and
// \\.\ paths such as named pipes. The C library reports those as missing, so they would be opened
// and read or written like files, and a serial port or pipe could keep the tool waiting for ever.
std::filesystem::file_status fileStatus(const std::filesystem::path &file, std::error_code &error);

} // namespace rmevents
