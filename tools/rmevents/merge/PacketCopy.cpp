#include "merge/PacketCopy.h"

#include "files/OutputFile.h"
#include "format/ClipError.h"
#include "format/PacketWindow.h"
#include "merge/OffsetMap.h"

#include <string>

namespace rmevents {

PacketCopyResult copyPackets(SourceFile &source, std::uint64_t offset, std::uint32_t packetCount,
                             const PacketChanges &changes, OutputFile &output, OffsetMap &map)
{
    const std::uint64_t outputStart = output.size();
    PacketWindow window(source, offset, packetCount, &output);
    const std::vector<AddedPacket> &added = changes.added;
    std::size_t nextAdded = 0;
    std::uint32_t leftOut = 0;
    const auto putAdded = [&](std::uint64_t before, auto isDue) {
        for (; nextAdded < added.size() && isDue(added[nextAdded]); ++nextAdded) {
            window.flush();
            output.write(added[nextAdded].bytes);
            map.insert(before, added[nextAdded].bytes.size());
        }
    };

    for (std::uint32_t number = 0; number < packetCount; ++number) {
        const PacketHeader packet = window.next(number);
        if (!changes.droppedStreams.empty() && changes.droppedStreams.contains(packet.stream)) {
            window.skip(packet);
            map.remove(packet.offset, packet.length);
            ++leftOut;
            continue;
        }
        if (packet.stream >= changes.firstAddedStream)
            throw ClipError("the source is damaged: packet " + std::to_string(number + 1) + " of "
                            + std::to_string(packetCount) + " (offset " + std::to_string(packet.offset)
                            + ") belongs to stream " + std::to_string(packet.stream) + ", which has no stream header");
        putAdded(packet.offset, [&packet](const AddedPacket &candidate) { return candidate.timestamp < packet.timestamp; });
        window.pass(packet);
    }
    window.flush();
    const std::uint64_t sourceEnd = window.nextOffset();
    putAdded(sourceEnd, [](const AddedPacket &) { return true; });
    return {sourceEnd, output.size() - outputStart, leftOut};
}

} // namespace rmevents
