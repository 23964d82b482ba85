#pragma once

#include <string_view>

namespace rmevents {

// Whether the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut short. Only such text reads back unchanged as Unicode.
bool isUtf8(std::string_view bytes);

} // namespace rmevents
