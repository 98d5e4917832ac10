#pragma once

#include <filesystem>
#include <vector>

namespace corvane {

// The freedesktop Trash, which file managers show as the bin: deleted files
// stay restorable from there.
//
//   <trash>/files/<name>               the item itself
//   <trash>/info/<name>.trashinfo      [Trash Info]
//                                      Path=<original path, percent-encoded>
//                                      DeletionDate=YYYY-MM-DDThh:mm:ss (local time)
//
// The home trash serves items on its own file system. Items elsewhere go to
// the trash at the top of their file system ($topdir/.Trash/$uid when an
// administrator prepared $topdir/.Trash, else $topdir/.Trash-$uid, where Path=
// is relative to $topdir); when that cannot be used they are copied into the
// home trash and then removed.

struct TrashedItem {
    std::filesystem::path item;  // where the item now lies, in files/
    std::filesystem::path info;  // its .trashinfo
};

// $XDG_DATA_HOME/Trash; ~/.local/share/Trash when XDG_DATA_HOME is unset,
// empty or relative.
std::filesystem::path HomeTrashFolder();

// Sends a file or folder (a link: the link itself) to the Trash. Never
// deletes anything permanently: on failure the item stays where it was, or,
// when only its removal after a copy failed, it is in the Trash and partly in
// place. Throws ShellOperationError.
TrashedItem MoveToTrash(const std::filesystem::path& item);

// The same for an item set aside before it went: the Trash records it (and
// names it) as `originalPath`, where restoring it from the Trash puts it
// back. `originalPath` must be on the item's file system.
TrashedItem MoveToTrashAs(const std::filesystem::path& item, const std::filesystem::path& originalPath);

// Sends everything directly in `folder` that is not a folder to the Trash;
// the subfolders stay. Returns the entries in name order.
std::vector<TrashedItem> MoveFolderFilesToTrash(const std::filesystem::path& folder);

}  // namespace corvane
