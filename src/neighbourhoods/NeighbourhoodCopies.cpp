#include "neighbourhoods/NeighbourhoodCopies.h"

#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ShellFileOps.h"
#include "platform/SystemCalls.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 6> kFilesOnlyFolders{"BackupHouses", "Characters", "Export",
                                                            "Houses",       "Patch",      "PhotoAlbum"};
constexpr std::string_view kWholeFolder = "Web Pages";

enum class Carried { No, FilesOnly, Whole };

Carried carriedAs(std::string_view folderName) {
    if (EqualsIgnoreCase(folderName, kWholeFolder)) return Carried::Whole;
    const bool filesOnly = std::any_of(kFilesOnlyFolders.begin(), kFilesOnlyFolders.end(),
                                       [&](std::string_view carried) { return EqualsIgnoreCase(folderName, carried); });
    return filesOnly ? Carried::FilesOnly : Carried::No;
}

// The entry of `path`'s folder that the game would take for it: the same name
// in any letter case, or `path` itself when there is none.
fs::path existingSpelling(const fs::path& path) {
    return ResolveCaseInsensitive(path.parent_path(), path.filename().string());
}

// The subfolders directly in `folder`, in name order.
std::vector<fs::path> subfoldersOf(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; it != end; it.increment(ec)) {
        if (ec) break;
        if (IsFolder(it->path())) folders.push_back(it->path());
    }
    if (ec) throw ShellOperationError("cannot list the folder " + QuotedPath(folder) + ": " + ec.message());
    std::sort(folders.begin(), folders.end());
    return folders;
}

void discard(const fs::path& item) {
    std::error_code ec;
    if (!item.empty()) fs::remove_all(item, ec);
}

// Never removes anything inside: a folder set aside must not be lost.
void removeEmptyFolder(const fs::path& folder) {
    std::error_code ec;
    fs::remove(folder, ec);
}

// An empty private folder beside `target`, on the same file system, so that
// the finished copy takes the target's name with one rename.
fs::path createStagingFolder(const fs::path& target) {
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".partial-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw ShellOperationError("cannot create a folder beside " + QuotedPath(target), errno);
    }
    return pattern;
}

// One part of a copy: what the progress shows, and the work, given the staged folder.
struct CopyStep {
    std::string label;
    std::function<void(const fs::path& staged)> run;
};
using CopySteps = std::vector<CopyStep>;

// The steps that copy what a backup carries of `source` into the staged folder.
void addCarriedParts(CopySteps& steps, const fs::path& source) {
    const std::string name = source.filename().string();
    steps.push_back({name, [source](const fs::path& staged) { CopyFolderFiles(source, staged); }});
    for (const fs::path& sub : subfoldersOf(source)) {
        const std::string subName = sub.filename().string();
        const std::string label = name + "/" + subName;
        switch (carriedAs(subName)) {
        case Carried::FilesOnly:
            steps.push_back({label, [sub, subName](const fs::path& staged) {
                                 CopyFolderFiles(sub, ResolveCaseInsensitive(staged, subName));
                             }});
            break;
        case Carried::Whole:
            steps.push_back({label, [sub, subName](const fs::path& staged) {
                                 CopyFolderTree(sub, ResolveCaseInsensitive(staged, subName));
                             }});
            break;
        case Carried::No:
            break;
        }
    }
}

void addWholeFolder(CopySteps& steps, const fs::path& folder, const fs::path& relative) {
    steps.push_back({relative.string(), [folder, relative](const fs::path& staged) {
                         CopyFolderTree(folder, staged / relative);
                     }});
}

// The steps that copy into the staged folder what a restore from `backup`
// leaves of the existing neighbourhood `existing`.
void addKeptParts(CopySteps& steps, const fs::path& existing, const fs::path& backup) {
    for (const fs::path& sub : subfoldersOf(existing)) {
        const std::string subName = sub.filename().string();
        const Carried carried = carriedAs(subName);
        const bool replaced = carried != Carried::No && IsFolder(ResolveCaseInsensitive(backup, subName));
        if (!replaced) {
            addWholeFolder(steps, sub, subName);
        } else if (carried == Carried::FilesOnly) {
            for (const fs::path& inner : subfoldersOf(sub)) {
                addWholeFolder(steps, inner, fs::path(subName) / inner.filename());
            }
        }
    }
}

[[noreturn]] void failCopy(const fs::path& staged, const std::string& cause) {
    discard(staged);
    throw NeighbourhoodCopyError(cause);
}

enum class Existing { Replace, Refuse };

constexpr std::string_view kStagedSuffix = ".partial-";
constexpr std::string_view kSetAsideSuffix = ".old-";

// What an interrupted operation left beside `target` (a power cut, a killed
// editor): an old neighbourhood set aside while `target` is missing goes back
// into its place; staged copies go to the Trash, for they may hold the old
// folder an operation swapped out but did not get to trash. Nothing is
// deleted for good.
void recoverInterrupted(const fs::path& target) {
    const std::string name = target.filename().string();
    const std::string staged = "." + name + std::string(kStagedSuffix);
    const std::string setAside = "." + name + std::string(kSetAsideSuffix);
    std::vector<fs::path> leftovers;
    std::error_code ec;
    for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        const bool ours = (entry.size() == staged.size() + 6 && entry.compare(0, staged.size(), staged) == 0) ||
                          (entry.size() == setAside.size() + 6 && entry.compare(0, setAside.size(), setAside) == 0);
        if (ours) leftovers.push_back(it->path());
    }
    std::sort(leftovers.begin(), leftovers.end());
    for (const fs::path& leftover : leftovers) {
        try {
            if (leftover.filename().string().compare(0, setAside.size(), setAside) == 0) {
                if (!PathExists(target) && IsFolder(leftover / name)) RenameFolder(leftover / name, target, RenameCollision::Fail);
                removeEmptyFolder(leftover);
            } else {
                MoveToTrash(leftover);
            }
        } catch (const std::exception&) {
            // Left as it is: the operation itself does not depend on it.
        }
    }
}

struct Swapped {
    std::optional<TrashedItem> replaced;
    std::string replacedKept;
};

// Sends the replaced folder, set aside at `old`, to the Trash as `target`, the
// place it had. The new folder is in place by then: should the Trash refuse,
// the old one stays where it is, never deleted.
Swapped trashReplaced(const fs::path& old, const fs::path& target) {
    try {
        return {MoveToTrashAs(old, target), {}};
    } catch (const std::exception& error) {
        return {std::nullopt, "the folder it replaced could not go to the Trash (" + std::string(error.what()) +
                                  "); it is kept as " + QuotedPath(old)};
    }
}

// Puts the complete folder `staged` in the place of the folder `target`. Where
// the file system can, the two swap in one step, so `target` is never
// missing; elsewhere the old folder is first renamed aside within the same
// folder. Either way a failure up to there leaves `target` as it was, and
// the Trash, which may have to copy across file systems, comes only once the
// new folder is in place.
Swapped swapInto(const fs::path& staged, const fs::path& target) {
    if (sys::RenameExchange(staged.string(), target.string()) == 0) {
        // The old folder now lies at `staged`.
        return trashReplaced(staged, target);
    }
    if (errno != EINVAL && errno != ENOSYS) {
        throw ShellOperationError("cannot put " + QuotedPath(staged) + " in the place of " + QuotedPath(target), errno);
    }
    std::string holderPattern =
        (target.parent_path() / ("." + target.filename().string() + std::string(kSetAsideSuffix) + "XXXXXX")).string();
    if (::mkdtemp(holderPattern.data()) == nullptr) {
        throw ShellOperationError("cannot create a folder beside " + QuotedPath(target), errno);
    }
    const fs::path holder = holderPattern;
    const fs::path setAside = holder / target.filename();
    try {
        RenameFolder(target, setAside, RenameCollision::Fail);
    } catch (...) {
        removeEmptyFolder(holder);
        throw;
    }
    try {
        RenameFolder(staged, target, RenameCollision::Fail);
    } catch (const std::exception& error) {
        std::string cause = error.what();
        try {
            RenameFolder(setAside, target, RenameCollision::Fail);
            removeEmptyFolder(holder);
        } catch (const std::exception& back) {
            cause += "; the folder it was to replace is kept as " + QuotedPath(setAside) + " (" + back.what() + ")";
        }
        throw ShellOperationError(cause);
    }
    Swapped swapped = trashReplaced(setAside, target);
    if (swapped.replaced) removeEmptyFolder(holder);
    return swapped;
}

// Builds the folder `target` beside it from the steps `plan` returns, then
// puts it in place. With Existing::Replace an existing folder `target` goes
// to the Trash once the new one is complete; with Refuse an existing `target`
// is an error. The new folder gets `modeOf`'s permissions.
NeighbourhoodCopyResult buildBeside(const fs::path& target, const fs::path& modeOf, Existing existing,
                                    const std::function<CopySteps()>& plan, Progress& progress) {
    recoverInterrupted(target);
    const bool replacing = existing == Existing::Replace && IsFolder(target);
    if (PathExists(target) && !replacing) {
        throw NeighbourhoodCopyError(QuotedPath(target) + (IsFolder(target) ? " already exists" : " is not a folder"));
    }
    fs::path staged;
    NeighbourhoodCopyResult result{target, std::nullopt, {}};
    try {
        const CopySteps steps = plan();
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (ec) throw ShellOperationError("cannot create the folder " + QuotedPath(target.parent_path()), ec.value());
        staged = createStagingFolder(target);
        progress.setMaximum(static_cast<int>(steps.size()));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            progress.showStatus(steps[i].label);
            steps[i].run(staged);
            progress.setPosition(static_cast<int>(i + 1));
        }
        fs::permissions(staged, fs::status(modeOf).permissions(), ec);
        if (ec) throw ShellOperationError("cannot set the permissions of " + QuotedPath(staged), ec.value());
        if (replacing) {
            Swapped swapped = swapInto(staged, target);
            result.replaced = std::move(swapped.replaced);
            result.replacedKept = std::move(swapped.replacedKept);
        } else {
            RenameFolder(staged, target, RenameCollision::Fail);
        }
    } catch (const std::exception& error) {
        failCopy(staged, error.what());
    }
    return result;
}

}  // namespace

NeighbourhoodCopyError::NeighbourhoodCopyError(const std::string& cause)
    : std::runtime_error(LangStr(kNeighbourhoodCopyFailed).empty()
                             ? cause
                             : LangStr(kNeighbourhoodCopyFailed) + " " + cause) {}

NeighbourhoodRuleError::NeighbourhoodRuleError(MessageId message)
    : std::runtime_error(LangStr(message)), message_(message) {}

NeighbourhoodCopyResult BackUpNeighbourhood(const fs::path& neighbourhood, const fs::path& backupsFolder,
                                            Progress& progress) {
    const fs::path target = existingSpelling(backupsFolder / neighbourhood.filename());
    return buildBeside(target, neighbourhood, Existing::Replace, [&] {
        CopySteps steps;
        addCarriedParts(steps, neighbourhood);
        return steps;
    }, progress);
}

NeighbourhoodCopyResult RestoreNeighbourhood(const fs::path& backup, const fs::path& target, Progress& progress) {
    const fs::path existing = existingSpelling(target);
    return buildBeside(existing, backup, Existing::Replace, [&] {
        CopySteps steps;
        if (IsFolder(existing)) addKeptParts(steps, existing, backup);
        addCarriedParts(steps, backup);
        return steps;
    }, progress);
}

fs::path CopyNeighbourhood(const fs::path& neighbourhood, const fs::path& target, Progress& progress) {
    return buildBeside(existingSpelling(target), neighbourhood, Existing::Refuse, [&] {
        CopySteps steps;
        addCarriedParts(steps, neighbourhood);
        return steps;
    }, progress).folder;
}

fs::path CopyBackup(const fs::path& backup, const fs::path& target, Progress& progress) {
    if (const fs::path taken = existingSpelling(target); PathExists(taken)) {
        throw ShellOperationError("cannot copy " + QuotedPath(backup) + ": " + QuotedPath(taken) + " exists", EEXIST);
    }
    progress.setMaximum(1);
    progress.showStatus(backup.filename().string());
    // The tree copy appears at `target` complete or not at all.
    CopyFolderTree(backup, target);
    progress.setPosition(1);
    return target;
}

fs::path RenameNeighbourhood(const fs::path& folder, const std::string& newName, NeighbourhoodPlace place,
                             int expansionLevel) {
    if (place == NeighbourhoodPlace::Game && !MayRenameNeighbourhood(folder.filename().string(), expansionLevel)) {
        throw NeighbourhoodRuleError(kMainNeighbourhoodNotRenamable);
    }
    const fs::path target = folder.parent_path() / newName;
    if (const fs::path taken = existingSpelling(target); PathExists(taken)) {
        throw ShellOperationError("cannot rename " + QuotedPath(folder) + ": " + QuotedPath(taken) + " exists",
                                  EEXIST);
    }
    return RenameFolder(folder, target, RenameCollision::Fail);
}

TrashedItem DeleteNeighbourhood(const fs::path& folder, NeighbourhoodPlace place) {
    if (place == NeighbourhoodPlace::Game && !MayDeleteNeighbourhood(folder.filename().string())) {
        throw NeighbourhoodRuleError(kMainNeighbourhoodNotDeletable);
    }
    return MoveToTrash(folder);
}

}  // namespace corvane
