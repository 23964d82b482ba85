#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace rmevents {

// The report Clipvane reads back. Its last line is always "***": together with an output size
// that stops changing, that tells the caller the run is over. The lines are held back and written
// together with "***", so a caller never sees part of a report, and a "***" inside a file name
// cannot end the run early in its eyes.
class Log
{
public:
    // Creates the file, or empties it when it exists.
    explicit Log(const std::filesystem::path &file);

    bool isOpen() const;
    void line(std::string_view text);

    // Writes the report, then lastLine when given, then the closing "***" line, and closes the
    // file; false if that failed. It allocates nothing, so it serves when memory has run out.
    bool finish(std::string_view lastLine = {}) noexcept;

private:
    std::ofstream stream_;
    std::string report_;
};

} // namespace rmevents
