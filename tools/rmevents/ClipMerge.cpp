#include "ClipMerge.h"

#include "ClipError.h"
#include "PathText.h"
#include "RealAudioMerge.h"
#include "RealMediaMerge.h"
#include "ScriptText.h"
#include "SourceFile.h"

#include <algorithm>
#include <string_view>

namespace rmevents {
namespace {

constexpr std::string_view realMediaSignature = ".RMF";
constexpr std::string_view realAudioSignature = ".ra\xfd";

} // namespace

MergeOutcome mergeClip(const std::filesystem::path &sourcePath, const std::filesystem::path &output,
                       const MergeRequest &request)
{
    SourceFile source(sourcePath);
    if (source.size() == 0)
        throw ClipError("source " + quoted(sourcePath) + " is empty");
    const std::string signature
        = source.read(0, static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), 4)), "the first bytes");
    if (signature == realMediaSignature)
        return mergeRealMedia(source, output, request);
    if (signature == realAudioSignature)
        return mergeRealAudio(source, output, request);
    throw ClipError("source " + quoted(sourcePath) + " is not a RealMedia or RealAudio file (it begins with '"
                    + printable(signature) + "')");
}

} // namespace rmevents
