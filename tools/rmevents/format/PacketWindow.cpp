#include "format/PacketWindow.h"

#include "files/OutputFile.h"
#include "files/SourceFile.h"
#include "format/BigEndian.h"
#include "format/ClipError.h"
#include "format/RealMediaPacket.h"

#include <cstring>

namespace rmevents {
namespace {

// Large reads and writes keep the merge close to the speed of a plain file copy.
constexpr std::size_t windowSize = 2 * 1024 * 1024;

std::string describePacket(std::uint32_t number, std::uint32_t count, std::uint64_t offset)
{
    return "packet " + std::to_string(number + 1) + " of " + std::to_string(count) + " (offset "
           + std::to_string(offset) + ")";
}

// The size of a packet header of this version, or 0 for a version this tool does not know.
std::size_t headerSizeOf(std::uint16_t version)
{
    return version == 0 ? packetHeaderSize0 : version == 1 ? packetHeaderSize1 : 0;
}

} // namespace

PacketWindow::PacketWindow(SourceFile &source, std::uint64_t offset, std::uint32_t packetCount, OutputFile *output)
    : source_(source)
    , output_(output)
    , packetCount_(packetCount)
    , bytes_(windowSize, '\0')
    , start_(offset)
{
    source_.seek(offset);
}

void PacketWindow::prepare()
{
    if (filled_ - cursor_ >= largestPacket || exhausted_)
        return;
    flush();
    std::memmove(bytes_.data(), bytes_.data() + cursor_, filled_ - cursor_);
    start_ += cursor_;
    filled_ -= cursor_;
    cursor_ = runStart_ = 0;
    const std::size_t wanted = bytes_.size() - filled_;
    const std::size_t got = source_.readSome(bytes_.data() + filled_, wanted);
    filled_ += got;
    exhausted_ = got < wanted;
}

PacketHeader PacketWindow::next(std::uint32_t number)
{
    prepare();
    const char *packet = bytes_.data() + cursor_;
    const std::size_t available = filled_ - cursor_;
    const std::uint64_t offset = nextOffset();
    // Messages are built only on failure: this runs for every packet of the clip.
    const auto problem = [&](const std::string &kind, const std::string &what) {
        return ClipError("the source is " + kind + ": " + describePacket(number, packetCount_, offset) + " " + what);
    };
    if (available < 4)
        throw problem("truncated", "is missing");
    const std::uint16_t version = loadU16(packet);
    const std::size_t headerSize = headerSizeOf(version);
    const std::size_t length = loadU16(packet + 2);
    if (headerSize == 0)
        throw problem("damaged", "has version " + std::to_string(version) + ", which this tool does not know");
    if (length < headerSize)
        throw problem("damaged", "is shorter than its own header");
    if (available < length)
        throw problem("truncated", "runs past the end of the file");
    return {offset, version, headerSize, length, loadU16(packet + 4), loadU32(packet + 6)};
}

std::string_view PacketWindow::payload(const PacketHeader &packet) const
{
    return std::string_view(bytes_.data() + cursor_ + packet.headerSize, packet.length - packet.headerSize);
}

void PacketWindow::pass(const PacketHeader &packet)
{
    cursor_ += packet.length;
}

void PacketWindow::skip(const PacketHeader &packet)
{
    flush();
    cursor_ += packet.length;
    runStart_ = cursor_;
}

void PacketWindow::flush()
{
    if (output_)
        output_->write(std::string_view(bytes_.data() + runStart_, cursor_ - runStart_));
    runStart_ = cursor_;
}

} // namespace rmevents
