#include "Log.h"

namespace rmevents {

namespace {
constexpr std::string_view lineEnd = "\r\n";
}

Log::Log(const std::filesystem::path &file)
    : stream_(file, std::ios::binary | std::ios::trunc)
{}

bool Log::isOpen() const
{
    return stream_.is_open();
}

void Log::line(std::string_view text)
{
    report_ += text;
    report_ += lineEnd;
}

bool Log::finish()
{
    line("***");
    stream_.write(report_.data(), static_cast<std::streamsize>(report_.size()));
    stream_.close();
    return !stream_.fail();
}

} // namespace rmevents
