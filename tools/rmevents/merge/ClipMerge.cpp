#include "merge/ClipMerge.h"

#include "files/SourceFile.h"
#include "format/ClipKind.h"
#include "merge/RealAudioMerge.h"
#include "merge/RealMediaMerge.h"

namespace rmevents {

MergeOutcome mergeClip(const std::filesystem::path &sourcePath, const std::filesystem::path &output,
                       const MergeRequest &request)
{
    SourceFile source(sourcePath);
    if (identifyClip(source, sourcePath) == ClipKind::realMedia)
        return mergeRealMedia(source, output, request);
    return mergeRealAudio(source, output, request);
}

} // namespace rmevents
