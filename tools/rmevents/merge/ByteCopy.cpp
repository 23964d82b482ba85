#include "merge/ByteCopy.h"

#include "files/OutputFile.h"
#include "files/SourceFile.h"
#include "format/ClipError.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace rmevents {

void copyBytes(SourceFile &source, std::uint64_t offset, std::uint64_t length, OutputFile &output)
{
    constexpr std::size_t pieceSize = 4 * 1024 * 1024;
    std::string piece(static_cast<std::size_t>(std::min<std::uint64_t>(length, pieceSize)), '\0');
    source.seek(offset);
    while (length > 0) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(length, piece.size()));
        const std::size_t got = source.readSome(piece.data(), wanted);
        if (got == 0)
            throw ClipError("the source is truncated: it ended while being read at offset " + std::to_string(offset));
        output.write(std::string_view(piece.data(), got));
        offset += got;
        length -= got;
    }
}

} // namespace rmevents
