#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace corvane {

// What a save compares to tell whether a file is still as the editor read it:
// the game, or the command-line tool, may have rewritten it since.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};

    bool operator==(const FileStamp&) const = default;
};

// The file's stamp now; nothing when it does not exist or cannot be examined.
// A reader takes it before reading the file, so that a write racing the read
// shows as a change later rather than slipping by.
std::optional<FileStamp> StampOf(const std::filesystem::path& file);

}  // namespace corvane
