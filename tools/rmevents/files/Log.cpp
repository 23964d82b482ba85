#include "files/Log.h"

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

bool Log::finish(std::string_view lastLine) noexcept
{
    const auto write = [this](std::string_view text) {
        stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
    };
    write(report_);
    if (!lastLine.empty()) {
        write(lastLine);
        write(lineEnd);
    }
    write("***");
    write(lineEnd);
    stream_.close();
    return !stream_.fail();
}

} // namespace rmevents
