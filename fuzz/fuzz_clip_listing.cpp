// The clip listing, which decodes the event and image-map packets of any clip, and both its
// printers.

#include "FuzzFile.h"
#include "format/ClipError.h"
#include "listing/ClipContents.h"
#include "listing/JsonListing.h"
#include "listing/TextListing.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzFile clip(data, size);
    try {
        const rmevents::ClipContents contents = rmevents::readClipContents(clip.path());
        rmevents::textListing(contents);
        rmevents::jsonListing(contents);
    } catch (const rmevents::ClipError &) {
    }
    return 0;
}
