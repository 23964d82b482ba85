#include "listing/ClipListing.h"

#include "files/PathText.h"
#include "listing/ClipContents.h"
#include "listing/JsonListing.h"
#include "listing/TextListing.h"

#include <new>

namespace rmevents {

std::string clipListing(const std::filesystem::path &clip, ListingFormat format)
{
    const ClipContents contents = readClipContents(clip);
    return format == ListingFormat::json ? jsonListing(contents) : textListing(contents);
}

int listClip(const std::filesystem::path &clip, ListingFormat format, std::ostream &out, std::ostream &errors)
{
    std::string reason;
    try {
        // Complete before it is printed, so a damaged clip gets its reason instead of half a
        // listing.
        out << clipListing(clip, format) << std::flush;
        return out ? 0 : 1;
    } catch (const std::bad_alloc &) {
        reason = "out of memory";
    } catch (const std::exception &error) {
        reason = error.what();
    }
    errors << "rmevents: cannot list " << quoted(clip) << ": " << reason << '\n';
    return 1;
}

} // namespace rmevents
