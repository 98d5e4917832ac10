#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane {

// The steps of an all-or-nothing file write, shared by single files and by
// sets of files. Each failure throws FileWriteError naming the file and the
// system's reason; every system call's error counts, the folder's flush too.

class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::filesystem::path file, const std::string& what)
        : std::runtime_error(what), file_(std::move(file)) {}
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};

// The file a write of `file` replaces: the file itself, or the one its
// symbolic link names (the link stays a link).
std::filesystem::path WriteTarget(const std::filesystem::path& file);

// A free name beside `target` for its new content: "." + its name + "." +
// six letters or digits.
std::filesystem::path SiblingTemporaryName(const std::filesystem::path& target);

// Whether a file named `name` can be written all-or-nothing: its temporary
// twin's longer name must fit the file system's limit on a name too.
bool NameLeavesRoomForTemporary(std::string_view name);

// Whether `name` has the shape SiblingTemporaryName gives names beside a file named `of`.
bool IsSiblingTemporaryOf(const std::string& name, const std::string& of);

// Whether `name` has the shape SiblingTemporaryName gives, beside any file.
bool IsSiblingTemporaryName(const std::string& name);

// Creates `temporary` (it must not exist), with the permissions `target` has
// when it exists, writes `content` and flushes it to disk. On failure the
// temporary file is removed.
void WriteTemporaryFile(const std::filesystem::path& temporary, std::string_view content,
                        const std::filesystem::path& target);

// Renames `temporary` over `target`.
void MoveOver(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Flushes the entries of `folder` (renames, removals) to disk. A file system
// that cannot flush folders at all is no failure.
void FlushFolderEntries(const std::filesystem::path& folder);

// Removes `file`; a file that is not there is no failure.
void RemoveIfPresent(const std::filesystem::path& file);

// Removes a temporary file while another failure is being reported.
void DiscardTemporary(const std::filesystem::path& temporary) noexcept;

}  // namespace corvane
