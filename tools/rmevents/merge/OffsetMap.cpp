#include "merge/OffsetMap.h"

#include <algorithm>

namespace rmevents {

OffsetMap::OffsetMap(std::int64_t headerShift)
    : steps_{{0, headerShift}}
{}

void OffsetMap::insert(std::uint64_t sourceOffset, std::uint64_t bytes)
{
    shiftFrom(sourceOffset, static_cast<std::int64_t>(bytes));
}

void OffsetMap::remove(std::uint64_t sourceOffset, std::uint64_t bytes)
{
    shiftFrom(sourceOffset + bytes, -static_cast<std::int64_t>(bytes));
}

void OffsetMap::shiftFrom(std::uint64_t sourceOffset, std::int64_t change)
{
    const std::int64_t shift = finalShift() + change;
    if (steps_.back().from == sourceOffset)
        steps_.back().shift = shift;
    else
        steps_.push_back({sourceOffset, shift});
}

std::uint64_t OffsetMap::map(std::uint64_t sourceOffset) const
{
    const auto after = std::ranges::upper_bound(steps_, sourceOffset, {}, &Step::from);
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(sourceOffset) + std::prev(after)->shift);
}

} // namespace rmevents
