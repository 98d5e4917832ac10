#pragma once

#include "platform/Trash.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace corvane {

// Replacing a file the user may want back. The file's place holds the old
// file or the new one at every moment, whatever stops the program, and the
// old file ends in the Trash, recorded under its own path:
//
//   1. the old file gets a second name beside it (a hard link, else a
//      flushed copy where the file system has no links);
//   2. that second name goes to the Trash as the old file;
//   3. the new file takes the place in one rename.
//
// A failure at 3 before the rename takes the second name out of the Trash
// again: the old file never left its place. After the rename (the folder's
// flush failing) it stays there, and the failure is still reported. A folder, or anything but a regular file, where the
// file would go is refused before anything changes.

// Puts the new file at `target` in one step (a write beside it renamed over
// it, or a move); the old file may still be there and is replaced.
using PutNewFile = std::function<void(const std::filesystem::path& target)>;

struct Replacement {
    std::filesystem::path written;   // the file now there: `file`, or the file its link names
    std::optional<TrashedItem> old;  // the replaced file in the Trash; none when there was none
};

// Throws ShellOperationError for a refused place and when the old file cannot
// be kept (nothing changed then), and rethrows what `putNew` throws.
Replacement ReplaceSendingOldToTrash(const std::filesystem::path& file, const PutNewFile& putNew);

// `content` written whole (flushed, renamed over the old file), the missing
// folders created first.
Replacement WriteSendingOldToTrash(const std::filesystem::path& file, std::string_view content);

// Throws ShellOperationError when `file` is a folder or a special file: a
// place a new file must not take. Nothing there, a file or a link to one is fine.
void RefuseNonFilePlace(const std::filesystem::path& file);

}  // namespace corvane
