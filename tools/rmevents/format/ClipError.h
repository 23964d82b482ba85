#pragma once

#include <stdexcept>

namespace rmevents {

// Why a clip cannot be merged, worded for the log. Thrown wherever reading the source or writing
// the output fails; the merge catches it, removes the output and reports it.
class ClipError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace rmevents
