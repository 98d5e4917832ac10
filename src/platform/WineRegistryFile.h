#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// One registry hive of a Wine prefix (system.reg), kept as the file's own text
// so a change rewrites only the line of the value it changes:
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to \\Machine
//   #arch=win32
//
//   [Software\\Maxis\\The Sims] 1600000000       key path (escaped, so "\\" is one
//   #time=1d6a0b0c0d0e0f0                         backslash), time; metadata lines
//   "SIMS_DATA"="C:\\Program Files\\Maxis\\The Sims\\"
//   "Expanded"=str(2):"%ProgramFiles%"           string of another type (number in hex)
//   "Count"=dword:00000001
//   "Blob"=hex:00,01,02,\                         bytes; a trailing backslash continues
//     03,04                                       the value on the next line
//   "Raw"=hex(1):41,00                            a string Wine could not write as text:
//   @="default value"                             its UTF-16LE bytes
//
// Escapes in names and strings: \\ \" \a \b \t \n \v \f \r \e, octal \0 to \377,
// and \x with 1 to 4 hex digits for one UTF-16 code unit; Wine writes every
// character above U+007F as \x. Key and value names compare ignoring ASCII case.
// Keys are named relative to the hive (`Software\Maxis\The Sims`), with single
// backslashes; leading and trailing backslashes do not matter. The value name ""
// is the key's default value (`@`).
class WineRegistryFile {
public:
    explicit WineRegistryFile(std::string text) : text_(std::move(text)) {}

    // Throws std::runtime_error naming the file when it cannot be read.
    static WineRegistryFile load(const std::filesystem::path& file);
    // All-or-nothing; throws std::runtime_error naming the file.
    void save(const std::filesystem::path& file) const;

    bool hasKey(std::string_view keyPath) const;

    // A value's text in UTF-8, cut at its first NUL as Windows string reads do.
    // Values that are not strings (dword, binary) read as "". Empty when the key
    // or the value is missing.
    std::optional<std::string> readString(std::string_view keyPath, std::string_view valueName) const;

    // Stores a plain string value (REG_SZ): replaces the lines of an existing value
    // of that name, whatever its type, or appends a line at the end of the key's
    // section. Every other byte of the text stays as it was. The key must exist
    // (std::logic_error otherwise).
    void writeString(std::string_view keyPath, std::string_view valueName, std::string_view value);

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace corvane
