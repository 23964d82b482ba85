#include "merge/RealAudioMerge.h"

#include "files/OutputFile.h"
#include "files/SourceFile.h"
#include "format/BigEndian.h"
#include "format/ClipError.h"
#include "format/RealAudioHeader.h"
#include "merge/ByteCopy.h"

#include <algorithm>
#include <array>
#include <limits>

namespace rmevents {
namespace {

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
    RealAudioHeader read = readRealAudioHeader(source);
    if (request.urlEventCount() > 0 || request.map)
        throw ClipError("the source is an old RealAudio file, which cannot carry URL events or a click map");
    const std::uint16_t version = read.version;
    const std::string &start = read.bytes;
    TextLayout &layout = read.layout;
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
