#pragma once

#include "platform/LanguageModule.h"
#include "platform/Leftover.h"
#include "platform/Progress.h"
#include "platform/Trash.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane {

// Backups, restores, copies, renames and deletions of whole neighbourhoods.
//
// What a backup, restore or copy carries: the files directly in the
// neighbourhood folder; of "BackupHouses", "Characters", "Export", "Houses",
// "Patch" and "PhotoAlbum" the files directly in them; "Web Pages" whole.
// Other subfolders stay behind. Folder names match ignoring letter case.
//
// The game would load a half-copied neighbourhood, so no operation leaves one:
// the new folder is built beside its target under a hidden temporary name, and
// only once it is complete is an existing target set aside, the new folder
// renamed into its place and the old one sent to the Trash. A failure before
// that removes the temporary folder and leaves the target as it was. Only a
// folder is ever replaced: a file with the target's name is an error. Every
// file and folder of the new one is on disk before it takes the target's
// place. A restore moves the folders it keeps into the new folder rather than
// copying them. What an interrupted operation left beside the target is
// recovered at the next start (RecoverInterruptedCopies), and by the next
// operation on that target.

inline constexpr MessageId kNeighbourhoodCopyFailed{7021};

// A backup, restore or copy failed; the target is as it was. what() is the
// text of kNeighbourhoodCopyFailed followed by the cause (the file and the
// system's reason).
class NeighbourhoodCopyError : public std::runtime_error {
public:
    explicit NeighbourhoodCopyError(const std::string& cause);
    MessageId messageId() const { return kNeighbourhoodCopyFailed; }
};

// An operation the neighbourhood rules forbid (kMainNeighbourhoodNotDeletable,
// kMainNeighbourhoodNotRenamable); what() is the message's text.
class NeighbourhoodRuleError : public std::runtime_error {
public:
    explicit NeighbourhoodRuleError(MessageId message);
    MessageId messageId() const { return message_; }

private:
    MessageId message_;
};

// Where an operation put the folder, and the folder it replaced, now in the
// Trash. When the Trash refused the replaced folder, the operation still
// succeeded: `replacedKept` says why and where the old folder is kept.
struct NeighbourhoodCopyResult {
    std::filesystem::path folder;
    std::optional<TrashedItem> replaced;
    std::string replacedKept;
};

// Backs the neighbourhood folder up as `backupsFolder`/<its name>, created when
// missing. An older backup of that name (letter case ignored) is replaced whole.
NeighbourhoodCopyResult BackUpNeighbourhood(const std::filesystem::path& neighbourhood,
                                            const std::filesystem::path& backupsFolder, Progress& progress);

// Restores `backup` to the game's folder `target` (such as GamePath/"UserData3";
// an existing folder whose name differs only in letter case is the same one).
// Over an existing neighbourhood the restore keeps what the backup does not
// carry: its other subfolders, the subfolders inside the carried ones, and any
// carried subfolder the backup lacks. Its own top-level files and the files of
// the carried subfolders the backup has are replaced, and "Web Pages" is
// replaced whole when the backup has one.
NeighbourhoodCopyResult RestoreNeighbourhood(const std::filesystem::path& backup, const std::filesystem::path& target,
                                             Progress& progress);

// Copies a game neighbourhood (what a backup carries) to the new folder `target`.
// Throws NeighbourhoodCopyError when `target` exists.
std::filesystem::path CopyNeighbourhood(const std::filesystem::path& neighbourhood, const std::filesystem::path& target,
                                        Progress& progress);

// Copies a backup with everything below it to the new folder `target`; the
// copy appears complete or not at all. Throws ShellOperationError (message
// 7044), also when `target` exists.
std::filesystem::path CopyBackup(const std::filesystem::path& backup, const std::filesystem::path& target,
                                 Progress& progress);

// Cleans up what interrupted backups, restores and copies left in `folder`
// (the game's folder, or the backups' folder): a neighbourhood set aside
// before a swap goes back into its place when that is free, else to the
// Trash; a staged copy that is only a copy is removed; a staged folder that
// holds folders of the neighbourhood it was to replace gives them back and
// is removed; one that may hold the user's only copy of a folder goes to the
// Trash. Folders another process is building are left alone.
std::vector<Leftover> RecoverInterruptedCopies(const std::filesystem::path& folder);

// Where a neighbourhood folder lies: the game's folder has the rules about
// "UserData"; the backups have none.
enum class NeighbourhoodPlace { Game, Backups };

// Renames a neighbourhood or backup folder to `newName` in the same folder.
// Refuses a name that exists there (letter case ignored) and, in the game,
// "UserData" above expansion level 0 (NeighbourhoodRuleError). On failure
// both names are as they were. Throws ShellOperationError (message 7044).
std::filesystem::path RenameNeighbourhood(const std::filesystem::path& folder, const std::string& newName,
                                          NeighbourhoodPlace place, int expansionLevel);

// Sends a neighbourhood or backup folder to the Trash; the game's "UserData"
// is refused (NeighbourhoodRuleError). Throws ShellOperationError (message 7044).
TrashedItem DeleteNeighbourhood(const std::filesystem::path& folder, NeighbourhoodPlace place);

}  // namespace corvane
