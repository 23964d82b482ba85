#include "ClipMerge.h"

#include "ClipKind.h"
#include "RealAudioMerge.h"
#include "RealMediaMerge.h"
#include "SourceFile.h"

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
