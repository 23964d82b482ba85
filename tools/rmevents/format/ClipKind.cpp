#include "format/ClipKind.h"

#include "files/PathText.h"
#include "files/SourceFile.h"
#include "format/ClipError.h"
#include "script/ScriptText.h"

#include <algorithm>
#include <string_view>

namespace rmevents {
namespace {

constexpr std::string_view realMediaSignature = ".RMF";
constexpr std::string_view realAudioSignature = ".ra\xfd";

} // namespace

ClipKind identifyClip(SourceFile &source, const std::filesystem::path &path)
{
    if (source.size() == 0)
        throw ClipError("source " + quoted(path) + " is empty");
    const std::string signature
        = source.read(0, static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), 4)), "the first bytes");
    if (signature == realMediaSignature)
        return ClipKind::realMedia;
    if (signature == realAudioSignature)
        return ClipKind::realAudio;
    throw ClipError("source " + quoted(path) + " is not a RealMedia or RealAudio file (it begins with '"
                    + printable(signature) + "')");
}

} // namespace rmevents
