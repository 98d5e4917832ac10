#include "neighbourhoods/NeighbourhoodCopies.h"

#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ShellFileOps.h"

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

// Builds the folder `target` beside it from the steps `plan` returns, then
// puts it in place. With Existing::Replace an existing `target` goes to the
// Trash first, and comes back should the last rename fail; with Refuse the
// rename fails on it. The new folder gets `modeOf`'s permissions.
NeighbourhoodCopyResult buildBeside(const fs::path& target, const fs::path& modeOf, Existing existing,
                                    const std::function<CopySteps()>& plan, Progress& progress) {
    if (existing == Existing::Refuse && PathExists(target)) {
        throw NeighbourhoodCopyError(QuotedPath(target) + " already exists");
    }
    fs::path staged;
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
    } catch (const std::exception& error) {
        failCopy(staged, error.what());
    }
    NeighbourhoodCopyResult result{target, std::nullopt};
    if (existing == Existing::Replace && PathExists(target)) {
        try {
            result.replaced = MoveToTrash(target);
        } catch (const std::exception& error) {
            failCopy(staged, error.what());
        }
    }
    try {
        RenameFolder(staged, target, RenameCollision::Fail);
    } catch (const std::exception& error) {
        std::string cause = error.what();
        if (result.replaced) {
            try {
                MoveToNewPath(result.replaced->item, target);
                std::error_code ec;
                fs::remove(result.replaced->info, ec);
            } catch (const std::exception& back) {
                cause += "; the replaced folder is in the Trash as " + QuotedPath(result.replaced->item) + " (" +
                         back.what() + ")";
            }
        }
        failCopy(staged, cause);
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
        throw NeighbourhoodCopyError(QuotedPath(taken) + " already exists");
    }
    progress.setMaximum(1);
    progress.showStatus(backup.filename().string());
    try {
        // Built beside the target and renamed into place, like the others.
        CopyFolderTree(backup, target);
    } catch (const std::exception& error) {
        throw NeighbourhoodCopyError(error.what());
    }
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
