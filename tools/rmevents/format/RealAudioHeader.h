#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace rmevents {

class SourceFile;

// The four texts of an old RealAudio header stand one after the other, each after a one-byte
// length.
inline constexpr std::size_t longestText = 0xFF;

// Where the four texts sit in the header.
struct TextLayout
{
    std::size_t textsBegin;
    std::size_t textsEnd;
    std::array<std::string, 4> texts; // title, author, copyright, comment
};

struct RealAudioHeader
{
    std::uint16_t version = 0;
    std::string bytes; // the start of the file, the whole header with its texts included
    TextLayout layout;
};

// Reads the header of an old RealAudio file (".ra" and 0xFD) of version 3 or 4. Throws ClipError
// for version 5, an unknown version and a damaged header.
RealAudioHeader readRealAudioHeader(SourceFile &source);

} // namespace rmevents
