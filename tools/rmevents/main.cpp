#include "listing/ClipListing.h"
#include "merge/Merge.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <vector>

// The native argv keeps file names exactly as the caller passed them: bytes on POSIX, UTF-16 on
// Windows.
#ifdef _WIN32
int wmain(int argc, wchar_t *argv[])
#else
int main(int argc, char *argv[])
#endif
{
    // Both end every failure they meet with a message of their own; this is for what comes before
    // there is a log to write to.
    try {
        const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
        if (arguments.size() == 2 && arguments[0] == "--list")
            return rmevents::listClip(arguments[1], rmevents::ListingFormat::text, std::cout, std::cerr);
        if (arguments.size() == 3 && arguments[0] == "--list" && arguments[1] == "--json")
            return rmevents::listClip(arguments[2], rmevents::ListingFormat::json, std::cout, std::cerr);
        return rmevents::merge(arguments);
    } catch (...) {
        std::fputs("rmevents: unexpected error\n", stderr);
        return 1;
    }
}
