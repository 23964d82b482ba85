#include "listing/Utf8.h"

#include <cstddef>

namespace rmevents {

bool isUtf8(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // The length of the sequence and the range its second byte must lie in; the bounds of
        // that range are what shut out overlong forms, surrogates and code points past U+10FFFF.
        std::size_t length = 0;
        unsigned char secondLow = 0x80;
        unsigned char secondHigh = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                secondLow = 0xA0;
            else if (lead == 0xED)
                secondHigh = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                secondLow = 0x90;
            else if (lead == 0xF4)
                secondHigh = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - at < length)
            return false;
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        if (second < secondLow || second > secondHigh)
            return false;
        for (std::size_t next = 2; next < length; ++next) {
            const auto continuation = static_cast<unsigned char>(bytes[at + next]);
            if (continuation < 0x80 || continuation > 0xBF)
                return false;
        }
        at += length;
    }
    return true;
}

} // namespace rmevents
