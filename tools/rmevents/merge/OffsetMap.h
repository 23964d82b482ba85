#pragma once

#include <cstdint>
#include <vector>

namespace rmevents {

// Where a byte of the source ends up in the output: moved by the change in size of the header
// section, and by every packet put in or left out before it. Index records and other offsets of the source
// are carried over through it.
class OffsetMap
{
public:
    explicit OffsetMap(std::int64_t headerShift);

    // bytes were put in just before the source byte at sourceOffset; calls come in file order.
    void insert(std::uint64_t sourceOffset, std::uint64_t bytes);
    // The source bytes from sourceOffset on were left out; calls come in file order.
    void remove(std::uint64_t sourceOffset, std::uint64_t bytes);

    std::uint64_t map(std::uint64_t sourceOffset) const;
    // The move of every byte after the last insertion.
    std::int64_t finalShift() const { return steps_.back().shift; }

private:
    void shiftFrom(std::uint64_t sourceOffset, std::int64_t change);

    struct Step
    {
        std::uint64_t from;
        std::int64_t shift;
    };
    std::vector<Step> steps_;
};

} // namespace rmevents
