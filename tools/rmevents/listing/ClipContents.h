#pragma once

#include "format/ClipKind.h"
#include "format/InteractiveLayout.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace rmevents {

// What a clip carries, read whole before anything is printed, so that both listings print the
// same reading and a damaged clip gets a reason instead of half a listing. Texts are the clip's
// bytes as they are, in whatever character set its writer used.

enum class ClipTextField { title, author, copyright, comment };

struct ClipText
{
    ClipTextField field = ClipTextField::title;
    std::string text; // never empty: empty texts are left out
};

struct NamedText
{
    std::string name;
    std::string text;
};

struct ListedStream
{
    std::uint16_t number = 0;
    std::string mimeType;
    std::string name;
    // The string properties of a logical-fileinfo stream, such as Keywords.
    std::vector<NamedText> fileInformation;
};

struct ListedEvent
{
    std::uint16_t stream = 0;
    EventPacket event;
};

struct ListedImageMap
{
    std::uint16_t stream = 0;
    ImageMapPacket map;
};

struct ClipContents
{
    ClipKind kind = ClipKind::realMedia;
    std::uint16_t realAudioVersion = 0; // of old RealAudio
    std::uint32_t packetCount = 0;      // of RealMedia
    // In the clip's order; a RealMedia clip may have more than one content description.
    std::vector<ClipText> texts;
    std::vector<ListedStream> streams;
    // The packets of the event and image-map streams, in the clip's order.
    std::vector<std::variant<ListedEvent, ListedImageMap>> interactivePackets;
};

// Throws ClipError for a file it cannot read.
ClipContents readClipContents(const std::filesystem::path &clip);

} // namespace rmevents
