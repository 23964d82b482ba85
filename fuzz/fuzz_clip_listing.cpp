// The clip listing, which decodes the event and image-map packets of any clip.

#include "FuzzFile.h"
#include "format/ClipError.h"
#include "listing/ClipListing.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzFile clip(data, size);
    try {
        rmevents::clipListing(clip.path());
    } catch (const rmevents::ClipError &) {
    }
    return 0;
}
