#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace rmevents {

// The clip-information records of an event script, each present only when the script holds it.
struct ClipInfo
{
    std::optional<std::string> title;
    std::optional<std::string> copyright;
    std::optional<std::string> author;
    std::optional<std::string> keywords;
    std::optional<std::string> description;

    std::size_t recordCount() const
    {
        return std::size_t(title.has_value()) + copyright.has_value() + author.has_value() + keywords.has_value()
               + description.has_value();
    }
};

} // namespace rmevents
