#pragma once

#include <cstdint>

namespace rmevents {

class OutputFile;
class SourceFile;

// Copies length bytes of the source from offset on to the end of the output, in large pieces so
// the output grows steadily.
void copyBytes(SourceFile &source, std::uint64_t offset, std::uint64_t length, OutputFile &output);

} // namespace rmevents
