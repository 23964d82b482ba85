#include "PacketCopy.h"

#include "BigEndian.h"
#include "ClipError.h"
#include "OffsetMap.h"
#include "OutputFile.h"
#include "SourceFile.h"

#include <cstring>
#include <string>
#include <string_view>

namespace rmevents {
namespace {

// Large reads and writes keep the merge close to the speed of a plain file copy.
constexpr std::size_t windowSize = 2 * 1024 * 1024;

// A sliding view of the source that always holds a whole packet unless the file ends. Bytes
// between runStart and cursor have been walked but not yet written, so consecutive packets go out
// in one write.
class PacketWindow
{
public:
    PacketWindow(SourceFile &source, std::uint64_t offset, OutputFile &output)
        : source_(source)
        , output_(output)
        , bytes_(windowSize, '\0')
        , start_(offset)
    {
        source_.seek(offset);
    }

    // Makes sure the next whole packet, if the file holds it, lies in the window.
    void prepare()
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

    std::size_t available() const { return filled_ - cursor_; }
    const char *next() const { return bytes_.data() + cursor_; }
    std::uint64_t nextOffset() const { return start_ + cursor_; }
    void advance(std::size_t count) { cursor_ += count; }

    void flush()
    {
        output_.write(std::string_view(bytes_.data() + runStart_, cursor_ - runStart_));
        runStart_ = cursor_;
    }

private:
    SourceFile &source_;
    OutputFile &output_;
    std::string bytes_;
    std::uint64_t start_;
    std::size_t filled_ = 0;
    std::size_t cursor_ = 0;
    std::size_t runStart_ = 0;
    bool exhausted_ = false;
};

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

PacketCopyResult copyPackets(SourceFile &source, std::uint64_t offset, std::uint32_t packetCount,
                             const std::vector<AddedPacket> &added, std::uint32_t firstAddedStream,
                             OutputFile &output, OffsetMap &map)
{
    const std::uint64_t outputStart = output.size();
    PacketWindow window(source, offset, output);
    std::size_t nextAdded = 0;
    const auto putAdded = [&](std::uint64_t before, auto isDue) {
        for (; nextAdded < added.size() && isDue(added[nextAdded]); ++nextAdded) {
            window.flush();
            output.write(added[nextAdded].bytes);
            map.insert(before, added[nextAdded].bytes.size());
        }
    };

    for (std::uint32_t number = 0; number < packetCount; ++number) {
        window.prepare();
        const char *packet = window.next();
        const std::uint64_t packetOffset = window.nextOffset();
        // Messages are built only on failure: this loop runs for every packet of the clip.
        const auto problem = [&](const std::string &kind, const std::string &what) {
            return ClipError("the source is " + kind + ": " + describePacket(number, packetCount, packetOffset) + " "
                             + what);
        };
        if (window.available() < 4)
            throw problem("truncated", "is missing");
        const std::uint16_t version = loadU16(packet);
        const std::size_t headerSize = headerSizeOf(version);
        const std::size_t length = loadU16(packet + 2);
        if (headerSize == 0)
            throw problem("damaged", "has version " + std::to_string(version) + ", which this tool does not know");
        if (length < headerSize)
            throw problem("damaged", "is shorter than its own header");
        if (window.available() < length)
            throw problem("truncated", "runs past the end of the file");
        const std::uint16_t stream = loadU16(packet + 4);
        if (stream >= firstAddedStream)
            throw problem("damaged", "belongs to stream " + std::to_string(stream) + ", which has no stream header");
        const std::uint32_t timestamp = loadU32(packet + 6);
        putAdded(packetOffset, [timestamp](const AddedPacket &candidate) { return candidate.timestamp < timestamp; });
        window.advance(length);
    }
    window.flush();
    const std::uint64_t sourceEnd = window.nextOffset();
    putAdded(sourceEnd, [](const AddedPacket &) { return true; });
    return {sourceEnd, output.size() - outputStart};
}

} // namespace rmevents
