#pragma once

#include "platform/CodePage.h"

#include <QString>
#include <memory>
#include <optional>

// Access to an INI file, with the semantics of the system's profile functions. Opening touches
// nothing. The first read reads the file; later reads through this object or its copies take what
// that read, and their own writes since, left: a translator reads dozens of entries at a start,
// and parsing the file for each would slow every start. Every write reads the file afresh, so an
// entry written from elsewhere is never lost, and rewrites it unless nothing in it changes.
//
// Section and key names compare without regard to case, and blanks around them do not count. A
// value is the text after the first "=" to the end of its line (a trailing CR dropped), untrimmed,
// so a value written is read back exactly. A write keeps every other line byte for byte, replaces
// an existing entry in place, adds a new entry after the last line of its section and a new section
// at the end of the file. It goes through a temporary file that then replaces the old one, so a
// failed write never leaves a half-written file. Values are single lines: a value holding a line
// break could not be read back whole.
class IniFile
{
public:
    // The longest value a read returns; a longer one arrives cut.
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(const QString &path, const CodePage &codePage = CodePage::system());

    QString path() const { return m_path; }

    // The entry's value, or nothing when the file, the section or the entry is missing.
    std::optional<QString> readValue(const QString &section, const QString &key) const;
    // The entry's value, or the default when the file, the section or the entry is missing.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // The entry read as a whole number: decimal with an optional sign, or hexadecimal after "$" or
    // "0x"; the default when the entry is missing, empty or no number within range.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // Creates the file, the section and the entry as needed; throws IniFileWriteError when the file
    // cannot be read back first or cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value) const;
    void writeInteger(const QString &section, const QString &key, int value) const;

private:
    struct Contents;
    const Contents &contents() const;

    QString m_path;
    CodePage m_codePage;
    std::shared_ptr<Contents> m_contents;
};
