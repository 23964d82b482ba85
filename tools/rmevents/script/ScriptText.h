#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rmevents {

struct ScriptProblem
{
    std::size_t line; // 1-based
    std::string message;
};

// A script's problems: the first ones in full, and how many there are in all, so that a script
// of a million bad lines fills neither the memory nor the log.
class ScriptProblems
{
public:
    void add(std::size_t line, std::string message);
    const std::vector<ScriptProblem> &listed() const { return listed_; }
    std::size_t count() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    std::vector<ScriptProblem> listed_;
    std::size_t count_ = 0;
};

// The lines of a script, one after the other, split at CR LF or bare LF. The final line needs no
// line end, and a line end at the very end of the script does not open another line, so an empty
// script has no lines. A UTF-8 byte-order mark at the very start, which editors put there, is
// skipped; every other byte stays as it is.
class ScriptLines
{
public:
    explicit ScriptLines(std::string_view script);

    // The next line, or nothing after the last.
    std::optional<std::string_view> next();
    // The number of the line next() returned last, from 1.
    std::size_t number() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// The bytes as they may appear inside a quoted message: control and non-ASCII bytes as \xNN.
std::string printable(std::string_view bytes);

} // namespace rmevents
