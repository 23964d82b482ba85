// The clip reader with the whole merge: URL events, clip information and a click map into any
// clip, and clip information alone, which old RealAudio files take too. A clip the merge refuses
// is fine; one it writes must list again without a fault.

#include "FuzzFile.h"
#include "format/ClipError.h"
#include "listing/ClipListing.h"
#include "merge/ClipMerge.h"
#include "script/EventScript.h"
#include "script/MapScript.h"

#include <cstdint>
#include <cstdlib>

namespace {

rmevents::MergeRequest fullRequest()
{
    const rmevents::EventScript events = rmevents::readEventScript(
        "u 00:00:01.0 00:00:05.0 &&_rpexternal&&http://example.com/a\r\n"
        "u 00:00:00.5 00:01:00.0 &&_rpbrowser&&http://example.com/b\r\n"
        "i 00:00:00.0 00:00:10.0 A title\r\n"
        "c 00:00:00.0 00:00:10.0 (c) Somebody\r\n"
        "n 00:00:00.0 00:00:10.0 keywords\r\n"
        "q 00:00:00.0 00:00:10.0  A description\r\n");
    const rmevents::MapScript map = rmevents::readMapScript(
        "DURATION=0:0:1:5:0\r\n<MAP START=0:0:0:0:0 END=0:0:1:5:0 COORDS=0,0,1024,768><AREA SHAPE=RECTANGLE "
        "COORDS=0,0,1024,768 URL=\"http://pop.example/\" ALT=\"Visit us\"></MAP>\r\n");
    if (!events.problems.empty() || !map.map)
        std::abort();
    return {events.events, events.info, map.map};
}

rmevents::MergeRequest informationOnly()
{
    rmevents::MergeRequest request = fullRequest();
    request.events.clear();
    request.map.reset();
    return request;
}

void mergeAndList(const FuzzFile &clip, const rmevents::MergeRequest &request)
{
    try {
        rmevents::mergeClip(clip.path(), clip.outputPath(), request);
    } catch (const rmevents::ClipError &) {
        return;
    }
    try {
        rmevents::clipListing(clip.outputPath(), rmevents::ListingFormat::text);
    } catch (const rmevents::ClipError &) {
        std::abort(); // the merge wrote a clip that its own reader refuses
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const rmevents::MergeRequest full = fullRequest();
    static const rmevents::MergeRequest information = informationOnly();
    const FuzzFile clip(data, size);
    mergeAndList(clip, full);
    mergeAndList(clip, information);
    return 0;
}
