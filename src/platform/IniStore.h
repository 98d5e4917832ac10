#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Registry values kept in a small INI file of our own (`registry.ini`):
//
//   [HKEY_CURRENT_USER\Software\Corvane]
//   SetGamePath=True
//   CVPPath=/home/me/profiles\\old
//
// In names and values "\\" stands for a backslash, "\n" and "\r" for line
// breaks, "\=" for an equals sign (needed in names only), and a backslash
// before a blank for that blank (a value's leading blank is written so, since
// blanks around the '=' belong to neither side). Any other backslash is taken
// as it stands, so a hand-written "C:\Games\The Sims" reads as written.
// Section and value names compare ignoring ASCII case; lines starting with ';'
// or '#' are comments. A change rewrites only its own line, so comments stay.
//
// The file is read on every call and replaced all-or-nothing on every write;
// its folder is created on the first write. A missing file is an empty store.
class IniStore {
public:
    explicit IniStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& file() const { return file_; }

    // Empty when the section or the value is missing. Throws std::runtime_error
    // naming the file when it exists but cannot be read.
    std::optional<std::string> read(std::string_view section, std::string_view name) const;

    // Sets the value, adding the section and the line as needed. Throws
    // std::runtime_error naming the file when it cannot be written.
    void write(std::string_view section, std::string_view name, std::string_view value);

private:
    std::filesystem::path file_;
};

}  // namespace corvane
