#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/LanguageModule.h"

namespace corvane {

// The message shown when a copy, move, rename or delete of the shell fails.
inline constexpr MessageId kShellOperationFailed{7044};

// A file operation failed. The page that started it shows messageId(); what()
// is the detail: the paths involved and the system's reason.
class ShellOperationError : public std::runtime_error {
public:
    explicit ShellOperationError(const std::string& detail) : std::runtime_error(detail) {}
    // The detail `what` followed by the system's text for `error` (an errno value).
    ShellOperationError(const std::string& what, int error);

    MessageId messageId() const { return kShellOperationFailed; }
};

// Whether `name` has the shape of the name a copy is built under beside its
// target (".name.part-" and twelve hexadecimal digits): a copy, never an
// original, so what an interrupted copy or move left under it may go.
bool IsCopyStagingName(const std::string& name);

// True when something is at `path`, a dangling link included. Never throws.
bool PathExists(const std::filesystem::path& path);
// True when `path` is a folder or a link to one. Never throws.
bool IsFolder(const std::filesystem::path& path);

// What tells one file system object from every other: the same pair means
// the same folder, whatever links lead to it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    auto operator<=>(const FileIdentity&) const = default;
};
// The identity of what `path` reaches, links followed; nullopt when it cannot
// be reached. Never throws.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// How error details name a path: in double quotes.
std::string QuotedPath(const std::filesystem::path& path);

// Copies one file into `targetFolder` (created when missing). When its name is
// taken there, the copy gets the first free name of "name (2).ext",
// "name (3).ext", ... as a file manager does; nothing existing is replaced.
// Returns the path written.
std::filesystem::path CopyFileToFolder(const std::filesystem::path& file, const std::filesystem::path& targetFolder);

// Whether a copy is flushed to disk before it counts as made: every file, and
// every folder it fills (its entries), so that a power cut after the copy
// cannot leave empty or missing files in it.
enum class CopyFlush { No, Yes };

// Copies the files directly in `sourceFolder` (no subfolders) into
// `targetFolder`, creating it, each as CopyFileToFolder does. Returns the paths
// written, in the order of the source names.
std::vector<std::filesystem::path> CopyFolderFiles(const std::filesystem::path& sourceFolder,
                                                   const std::filesystem::path& targetFolder,
                                                   CopyFlush flush = CopyFlush::No);

// Copies a folder with everything below it to `targetFolder`, which must not
// exist (missing parents are created). The copy appears there complete or not
// at all. File times and permissions are kept; symbolic links stay links.
// With CopyFlush::Yes the folder holding `targetFolder` is flushed as well.
void CopyFolderTree(const std::filesystem::path& sourceFolder, const std::filesystem::path& targetFolder,
                    CopyFlush flush = CopyFlush::No);

// Moves a file to `target`, creating missing folders; an existing file at
// `target` is replaced. All-or-nothing: a rename on one file system; across
// file systems a copy flushed to disk beside the target, renamed over it, and
// only then the source removed.
void MoveFile(const std::filesystem::path& source, const std::filesystem::path& target);

// Moves a file or folder to `target`, which must not exist; its parent must.
// Across file systems the copy is flushed and renamed into place before the
// source is removed, so `target` either appears complete or not at all.
void MoveToNewPath(const std::filesystem::path& source, const std::filesystem::path& target);

enum class RenameCollision {
    Fail,          // an existing target is an error
    PickFreeName,  // take "name (2)", "name (3)", ... beside the wanted name
};

// Renames a folder to `newPath` (normally in the same parent folder). Returns
// the final path, which differs from `newPath` only after PickFreeName.
std::filesystem::path RenameFolder(const std::filesystem::path& folder, const std::filesystem::path& newPath,
                                   RenameCollision onCollision);

// Deletes a file or a whole folder for good. Only for the editor's own work
// files: users' files go to the Trash (MoveToTrash), after asking.
void DeletePermanently(const std::filesystem::path& item);

}  // namespace corvane
