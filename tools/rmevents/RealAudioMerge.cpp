#include "RealAudioMerge.h"

#include "BigEndian.h"
#include "ByteCopy.h"
#include "ByteReader.h"
#include "ClipError.h"
#include "OutputFile.h"
#include "SourceFile.h"

#include <algorithm>
#include <array>
#include <limits>

namespace rmevents {
namespace {

// The four texts stand one after the other, each after a one-byte length.
constexpr std::size_t longestText = 0xFF;
// Enough for the longest header of either version.
constexpr std::size_t longestHeader = 8 + 0xFFFF;

// Where the four texts sit in the header.
struct TextLayout
{
    std::size_t textsBegin;
    std::size_t textsEnd;
    std::array<std::string, 4> texts; // title, author, copyright, comment
};

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

std::string newTexts(const std::array<std::string, 4> &texts)
{
    constexpr std::array<const char *, 4> names = {"title", "author", "copyright", "description (comment)"};
    std::string bytes;
    for (std::size_t field = 0; field < texts.size(); ++field) {
        if (texts[field].size() > longestText)
            throw ClipError("the " + std::string(names[field]) + " is " + std::to_string(texts[field].size())
                            + " bytes long; an old RealAudio file holds at most 255");
        appendU8(bytes, static_cast<std::uint8_t>(texts[field].size()));
        bytes += texts[field];
    }
    return bytes;
}

} // namespace

MergeOutcome mergeRealAudio(SourceFile &source, const std::filesystem::path &outputPath, const MergeRequest &request)
{
    const std::size_t headerBytes = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), longestHeader));
    const std::string start = source.read(0, headerBytes, "the RealAudio header");
    ByteReader reader(start, "the RealAudio header");
    reader.bytes(4);
    const std::uint16_t version = reader.u16();
    if (version == 5)
        throw ClipError("the source is a RealAudio file of version 5, which this tool does not support");
    if (version != 3 && version != 4)
        throw ClipError("the source is a RealAudio file of version " + std::to_string(version)
                        + ", which this tool does not know");
    if (!request.urlEvents.empty() || request.map)
        throw ClipError("the source is an old RealAudio file, which cannot carry URL events or a click map");

    TextLayout layout = version == 3 ? version3Texts(reader) : version4Texts(reader);
    if (request.info.title)
        layout.texts[0] = *request.info.title;
    if (request.info.author)
        layout.texts[1] = *request.info.author;
    if (request.info.copyright)
        layout.texts[2] = *request.info.copyright;
    if (request.info.description)
        layout.texts[3] = *request.info.description;
    const std::string texts = newTexts(layout.texts);

    // The header-size field counts the texts, so it changes with them.
    std::string header = start.substr(0, layout.textsBegin);
    const std::int64_t growth = std::int64_t(texts.size()) - std::int64_t(layout.textsEnd - layout.textsBegin);
    if (version == 3) {
        const std::size_t oldHeaderSize = loadU16(start.data() + 6);
        const std::int64_t headerSize = std::int64_t(oldHeaderSize) + growth;
        if (8 + oldHeaderSize < layout.textsEnd || headerSize > 0xFFFF)
            throw ClipError("the source is damaged: its RealAudio header size does not fit its texts");
        storeU16(header, 6, static_cast<std::uint16_t>(headerSize));
    } else {
        const std::int64_t headerSize = std::int64_t(loadU32(start.data() + 18)) + growth;
        if (headerSize < 0 || headerSize > std::numeric_limits<std::uint32_t>::max())
            throw ClipError("the source is damaged: its RealAudio header size does not fit its texts");
        storeU32(header, 18, static_cast<std::uint32_t>(headerSize));
    }
    header += texts;

    OutputFile output(outputPath);
    output.write(header);
    copyBytes(source, layout.textsEnd, source.size() - layout.textsEnd, output);
    output.keep();

    MergeOutcome outcome;
    outcome.bytesWritten = output.size();
    outcome.infoRecordsWritten = request.info.recordCount();
    outcome.notes.push_back("Source is RealAudio of version " + std::to_string(version) + ".");
    if (request.info.keywords) {
        --outcome.infoRecordsWritten;
        outcome.notes.push_back("Keywords left out: an old RealAudio file has no place for them.");
    }
    return outcome;
}

} // namespace rmevents
