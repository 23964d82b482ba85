#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rmevents {

class OutputFile;
class SourceFile;

// The header fields of a packet in a DATA chunk, checked against the file.
struct PacketHeader
{
    std::uint64_t offset;
    std::uint16_t version;
    std::size_t headerSize;
    std::size_t length; // header included
    std::uint16_t stream;
    std::uint32_t timestamp;
};

// A sliding view of a DATA chunk's packets that always holds a whole packet unless the file ends.
// Given an output, the bytes walked over are copied to it: they are held back until flushed, so
// consecutive packets go out in one write.
class PacketWindow
{
public:
    PacketWindow(SourceFile &source, std::uint64_t offset, std::uint32_t packetCount, OutputFile *output);

    // The header of the next packet (number counts from 0), or a ClipError saying why the source
    // holds no such packet. The packet's bytes stay valid until the window moves on.
    PacketHeader next(std::uint32_t number);
    // The packet's payload, after its header.
    std::string_view payload(const PacketHeader &packet) const;

    // Moves past the packet: copied, or left out of the output.
    void pass(const PacketHeader &packet);
    void skip(const PacketHeader &packet);

    // Writes what was walked over and not yet written.
    void flush();
    std::uint64_t nextOffset() const { return start_ + cursor_; }

private:
    void prepare();

    SourceFile &source_;
    OutputFile *output_;
    std::uint32_t packetCount_;
    std::string bytes_;
    std::uint64_t start_;
    std::size_t filled_ = 0;
    std::size_t cursor_ = 0;
    std::size_t runStart_ = 0;
    bool exhausted_ = false;
};

} // namespace rmevents
