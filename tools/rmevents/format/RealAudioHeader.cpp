#include "format/RealAudioHeader.h"

#include "files/SourceFile.h"
#include "format/ByteReader.h"
#include "format/ClipError.h"

#include <algorithm>

namespace rmevents {
namespace {

// Enough for the longest header of either version.
constexpr std::size_t longestHeader = 8 + 0xFFFF;

TextLayout readTexts(ByteReader &reader)
{
    TextLayout layout;
    layout.textsBegin = reader.position();
    for (std::string &text : layout.texts)
        text = reader.string8();
    layout.textsEnd = reader.position();
    return layout;
}

// Both take the reader just after the version field.

// Version 3: the header-size field and 14 bytes of stream data, then the texts.
TextLayout version3Texts(ByteReader &reader)
{
    reader.bytes(2 + 14);
    return readTexts(reader);
}

// Version 4: 50 bytes of codec description, the interleaver and codec names, three bytes, then
// the texts.
TextLayout version4Texts(ByteReader &reader)
{
    reader.bytes(50);
    reader.string8();
    reader.string8();
    reader.bytes(3);
    return readTexts(reader);
}

} // namespace

RealAudioHeader readRealAudioHeader(SourceFile &source)
{
    RealAudioHeader header;
    const std::size_t headerBytes = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), longestHeader));
    header.bytes = source.read(0, headerBytes, "the RealAudio header");
    ByteReader reader(header.bytes, "the RealAudio header");
    reader.bytes(4);
    header.version = reader.u16();
    if (header.version == 5)
        throw ClipError("the source is a RealAudio file of version 5, which this tool does not support");
    if (header.version != 3 && header.version != 4)
        throw ClipError("the source is a RealAudio file of version " + std::to_string(header.version)
                        + ", which this tool does not know");
    header.layout = header.version == 3 ? version3Texts(reader) : version4Texts(reader);
    return header;
}

} // namespace rmevents
