#pragma once

#include "platform/ShellFileOps.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// What stands at a path that is not a plain file with bytes to read. Opening
// one of these for reading can block for ever (a FIFO with no writer) or act
// on a device, so readers refuse them before they read.
enum class SpecialFileKind { Fifo, Socket, BlockDevice, CharacterDevice, Folder };

// "a FIFO", "a socket", "a block device", "a character device", "a folder".
std::string SpecialFileKindText(SpecialFileKind kind);

// What `path` (links followed) is when it is not a regular file; nullopt for
// a regular file and for a path that cannot be looked at. Never throws.
std::optional<SpecialFileKind> SpecialKindOf(const std::filesystem::path& path);

// What one status call tells of `path` (links followed): which file it is
// and, when it is not a regular file, what it is. nullopt when it cannot be
// reached (a dangling link, say). Never throws.
struct PathStatus {
    FileIdentity identity;
    std::optional<SpecialFileKind> special;
};
std::optional<PathStatus> StatusOf(const std::filesystem::path& path);

// A file opened for reading only after it proved to be a regular file: the
// open itself never waits (a FIFO is refused, not waited on).
class RegularFile {
public:
    // Throws std::runtime_error "cannot read <path>: <cause>", the cause being
    // the system's or "not a regular file (a FIFO)" and the like.
    explicit RegularFile(const std::filesystem::path& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // The size when opened.
    std::uint64_t size() const { return size_; }
    // `count` bytes from `offset`, or fewer where the file ends. Throws as the
    // constructor does when the read fails.
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const;
    // Everything from the start to the end as it is now.
    std::vector<std::uint8_t> readAll() const;

private:
    std::filesystem::path path_;
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace corvane
