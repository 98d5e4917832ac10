#include "neighbourhoods/NeighbourhoodCopies.h"

#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/AtomicFile.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/DurableWrite.h"
#include "platform/GameWriteGuard.h"
#include "platform/ProcessLock.h"
#include "platform/ShellFileOps.h"
#include "platform/SystemCalls.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <sstream>
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

// What a new folder is made of: copies into the staged folder, and the
// subfolders of the folder it replaces that it keeps (their paths relative to
// that folder), which are moved over rather than copied.
struct FolderPlan {
    std::vector<CopyStep> steps;
    std::vector<fs::path> kept;
};

// The steps that copy what a backup carries of `source` into the staged folder.
void addCarriedParts(FolderPlan& plan, const fs::path& source) {
    const std::string name = source.filename().string();
    plan.steps.push_back({name, [source](const fs::path& staged) { CopyFolderFiles(source, staged, CopyFlush::Yes); }});
    for (const fs::path& sub : subfoldersOf(source)) {
        const std::string subName = sub.filename().string();
        const std::string label = name + "/" + subName;
        switch (carriedAs(subName)) {
        case Carried::FilesOnly:
            plan.steps.push_back({label, [sub, subName](const fs::path& staged) {
                                      CopyFolderFiles(sub, ResolveCaseInsensitive(staged, subName), CopyFlush::Yes);
                                  }});
            break;
        case Carried::Whole:
            plan.steps.push_back({label, [sub, subName](const fs::path& staged) {
                                      CopyFolderTree(sub, ResolveCaseInsensitive(staged, subName), CopyFlush::Yes);
                                  }});
            break;
        case Carried::No:
            break;
        }
    }
}

// What a restore from `backup` keeps of the existing neighbourhood `existing`.
void addKeptParts(FolderPlan& plan, const fs::path& existing, const fs::path& backup) {
    for (const fs::path& sub : subfoldersOf(existing)) {
        const std::string subName = sub.filename().string();
        const Carried carried = carriedAs(subName);
        const bool replaced = carried != Carried::No && IsFolder(ResolveCaseInsensitive(backup, subName));
        if (!replaced) {
            plan.kept.push_back(subName);
        } else if (carried == Carried::FilesOnly) {
            for (const fs::path& inner : subfoldersOf(sub)) plan.kept.push_back(fs::path(subName) / inner.filename());
        }
    }
}

// A folder kept from the replaced neighbourhood: where it is, and where it goes in the staged one.
struct KeptMove {
    fs::path from;  // relative to the replaced folder
    fs::path to;    // relative to the staged folder
};

// The staged folder carries a note of its state, so that what an interrupted
// operation left can be told apart at the next start: a staged folder with
// "incomplete" is a copy and nothing else; with "kept", the folders listed
// were moved in from the neighbourhood it replaces and go back there; without
// a note it may be a replaced folder swapped out, the user's only copy.
constexpr std::string_view kStagingNote = ".Corvane3D staging";
constexpr std::string_view kIncomplete = "incomplete";
constexpr std::string_view kKept = "kept";

// The note: its state on the first line, then for "kept" each move as the
// folder's path in the replaced folder and in the staged one, each ended by a
// NUL, which no path holds.
void writeStagingNote(const fs::path& staged, std::string_view state, const std::vector<KeptMove>& moves = {}) {
    std::string text = std::string(state) + "\n";
    for (const KeptMove& move : moves) {
        text += move.from.string() + '\0' + move.to.string() + '\0';
    }
    ReplaceFileAtomically(staged / kStagingNote, text);
}

struct StagingNote {
    std::string state;  // empty: no note
    std::vector<KeptMove> moves;
};

StagingNote readStagingNote(const fs::path& folder) {
    const fs::path file = folder / kStagingNote;
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(file, ec))) return {};
    std::istringstream fields(ReadTextFile(file));
    StagingNote note;
    std::getline(fields, note.state);
    for (std::string from, to; std::getline(fields, from, '\0') && std::getline(fields, to, '\0');) {
        note.moves.push_back({from, to});
    }
    return note;
}

void removeStagingNote(const fs::path& folder) {
    RemoveIfPresent(folder / kStagingNote);
    FlushFolderEntries(folder);
}

// Moves the kept folders from `existing` into `staged` (the note names them
// first); `done` gets each move made, for a failure to undo.
void moveKeptIn(const std::vector<fs::path>& kept, const fs::path& existing, const fs::path& staged,
                std::vector<KeptMove>& done) {
    std::vector<KeptMove> planned;
    for (const fs::path& relative : kept) {
        fs::path to = ResolveCaseInsensitive(staged, relative.begin()->string()).lexically_relative(staged);
        for (auto part = std::next(relative.begin()); part != relative.end(); ++part) to /= *part;
        planned.push_back({relative, to});
    }
    if (planned.empty()) return;
    writeStagingNote(staged, kKept, planned);
    for (const KeptMove& move : planned) {
        RenameFolder(existing / move.from, staged / move.to, RenameCollision::Fail);
        done.push_back(move);
    }
    FlushFolderEntries(staged);
    FlushFolderEntries(existing);
}

// Puts kept folders back where they came from; true when all are back.
bool moveKeptBack(const std::vector<KeptMove>& moves, const fs::path& staged, const fs::path& existing) noexcept {
    bool all = true;
    for (const KeptMove& move : moves) {
        std::error_code ec;
        if (!PathExists(staged / move.to)) continue;
        if (PathExists(existing / move.from) || !IsFolder((existing / move.from).parent_path())) {
            all = false;
            continue;
        }
        fs::rename(staged / move.to, existing / move.from, ec);
        if (ec) all = false;
    }
    return all;
}

[[noreturn]] void failCopy(const fs::path& staged, const std::string& cause) {
    discard(staged);
    throw NeighbourhoodCopyError(cause);
}

enum class Existing { Replace, Refuse };

constexpr std::string_view kStagedSuffix = ".partial-";
constexpr std::string_view kSetAsideSuffix = ".old-";
constexpr std::size_t kUniqueLetters = 6;  // what mkdtemp puts for XXXXXX

// The name a leftover of `suffix` stands for ("UserData3" of
// ".UserData3.partial-a1B2c3"), or nothing when `entry` is not one.
std::optional<std::string> leftoverOf(const std::string& entry, std::string_view suffix) {
    if (entry.size() < 2 + suffix.size() + kUniqueLetters || entry.front() != '.') return std::nullopt;
    const std::size_t at = entry.size() - kUniqueLetters - suffix.size();
    if (entry.compare(at, suffix.size(), suffix) != 0) return std::nullopt;
    return entry.substr(1, at - 1);
}

Leftover failed(const fs::path& path, const std::exception& error) {
    return {path, Leftover::Fate::Failed, {}, error.what()};
}

// A folder set aside before a swap goes back when its name is free, else to the Trash.
Leftover recoverSetAside(const fs::path& holder, const fs::path& target) {
    const fs::path setAside = holder / target.filename();
    Leftover done{holder, Leftover::Fate::Removed, {}, {}};
    if (IsFolder(setAside)) {
        if (!PathExists(target)) {
            RenameFolder(setAside, target, RenameCollision::Fail);
            done = {holder, Leftover::Fate::PutBack, target, {}};
        } else {
            done = {holder, Leftover::Fate::Trashed, MoveToTrashAs(setAside, target).item, {}};
        }
    }
    removeEmptyFolder(holder);
    return done;
}

Leftover recoverStaged(const fs::path& staged, const fs::path& target) {
    const StagingNote note = readStagingNote(staged);
    const bool keptAllBack = note.state == kKept && IsFolder(target) && moveKeptBack(note.moves, staged, target);
    std::error_code ec;
    const bool empty = fs::is_empty(staged, ec) && !ec;  // cut off before its note was written
    if (note.state == kIncomplete || keptAllBack || empty) {
        DeletePermanently(staged);
        return {staged, Leftover::Fate::Removed, {}, {}};
    }
    return {staged, Leftover::Fate::Trashed, MoveToTrash(staged).item, {}};
}

// What interrupted operations left in `folder` for the name `only` (every
// name when empty): a folder set aside goes back into its place when that is
// free, a staged copy is removed, anything that may be the user's only copy
// goes to the Trash, and a staging note a swap carried into a neighbourhood
// is removed. Nothing another process works on is touched.
std::vector<Leftover> recoverLeftovers(const fs::path& folder, const std::string& only) {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
    // ".X.old-" before ".X.partial-": a folder goes back before a staged copy's kept folders return into it.
    std::sort(entries.begin(), entries.end());
    std::vector<Leftover> found;
    for (const fs::path& entry : entries) {
        const std::string name = entry.filename().string();
        const std::optional<std::string> setAside = leftoverOf(name, kSetAsideSuffix);
        const std::optional<std::string> staged = leftoverOf(name, kStagedSuffix);
        const std::optional<std::string> of = setAside ? setAside : staged;
        if (!of || (!only.empty() && *of != only) || !IsFolder(entry) || fs::is_symlink(entry, ec)) continue;
        try {
            const std::optional<ProcessLock> lock = ProcessLock::TryTake(entry);
            if (!lock) {
                found.push_back({entry, Leftover::Fate::InUse, {}, {}});
                continue;
            }
            const fs::path target = folder / *of;
            found.push_back(setAside ? recoverSetAside(entry, target) : recoverStaged(entry, target));
            if (IsFolder(target) && PathExists(target / kStagingNote)) removeStagingNote(target);
        } catch (const std::exception& error) {
            found.push_back(failed(entry, error));
        }
    }
    return found;
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
// new folder is in place and on disk. `settle` runs right after the swap.
Swapped swapInto(const fs::path& staged, const fs::path& target, const std::function<void()>& settle) {
    if (sys::RenameExchange(staged.string(), target.string()) == 0) {
        // The old folder now lies at `staged`.
        settle();
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
    settle();
    Swapped swapped = trashReplaced(setAside, target);
    if (swapped.replaced) removeEmptyFolder(holder);
    return swapped;
}

// Builds the folder `target` beside it from `plan`, then puts it in place.
// With Existing::Replace an existing folder `target` goes to the Trash once
// the new one is complete and on disk; with Refuse an existing `target` is an
// error. The new folder gets `modeOf`'s permissions.
NeighbourhoodCopyResult buildBeside(const fs::path& target, const fs::path& modeOf, Existing existing,
                                    const std::function<FolderPlan()>& makePlan, Progress& progress) {
    RequireWritable(target);
    recoverLeftovers(target.parent_path(), target.filename().string());
    const bool replacing = existing == Existing::Replace && IsFolder(target);
    if (PathExists(target) && !replacing) {
        throw NeighbourhoodCopyError(QuotedPath(target) + (IsFolder(target) ? " already exists" : " is not a folder"));
    }
    fs::path staged;
    std::vector<KeptMove> movedIn;
    NeighbourhoodCopyResult result{target, std::nullopt, {}};
    try {
        const FolderPlan plan = makePlan();
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        if (ec) throw ShellOperationError("cannot create the folder " + QuotedPath(target.parent_path()), ec.value());
        staged = createStagingFolder(target);
        // Held until the end, so that no other process takes it for a leftover.
        const std::optional<ProcessLock> inUse = ProcessLock::TryTake(staged);
        writeStagingNote(staged, kIncomplete);
        progress.setMaximum(static_cast<int>(plan.steps.size()));
        for (std::size_t i = 0; i < plan.steps.size(); ++i) {
            progress.showStatus(plan.steps[i].label);
            plan.steps[i].run(staged);
            progress.setPosition(static_cast<int>(i + 1));
        }
        fs::permissions(staged, fs::status(modeOf).permissions(), ec);
        if (ec) throw ShellOperationError("cannot set the permissions of " + QuotedPath(staged), ec.value());
        FlushFolderEntries(staged);  // the subfolders the steps made, and its own mode
        moveKeptIn(plan.kept, target, staged, movedIn);
        if (movedIn.empty()) removeStagingNote(staged);
        // Once swapped in, the new folder is made: a note left in it or an
        // unflushed parent folder is for the next start to mend, never a
        // reason to undo what is in place.
        const auto settle = [&]() noexcept {
            const bool noted = !movedIn.empty();
            movedIn.clear();
            try {
                if (noted) removeStagingNote(target);
                FlushFolderEntries(target.parent_path());
            } catch (const std::exception&) {
            }
        };
        if (replacing) {
            Swapped swapped = swapInto(staged, target, settle);
            result.replaced = std::move(swapped.replaced);
            result.replacedKept = std::move(swapped.replacedKept);
        } else {
            RenameFolder(staged, target, RenameCollision::Fail);
            settle();
        }
    } catch (const std::exception& error) {
        if (!movedIn.empty() && !moveKeptBack(movedIn, staged, target)) {
            // The staged folder holds some of the neighbourhood's own folders: the next start puts them back.
            throw NeighbourhoodCopyError(std::string(error.what()) + "; folders of " + QuotedPath(target) +
                                         " are still in " + QuotedPath(staged));
        }
        failCopy(staged, error.what());
    }
    return result;
}

}  // namespace

std::vector<Leftover> RecoverInterruptedCopies(const fs::path& folder) {
    return recoverLeftovers(folder, {});
}

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
        FolderPlan plan;
        addCarriedParts(plan, neighbourhood);
        return plan;
    }, progress);
}

NeighbourhoodCopyResult RestoreNeighbourhood(const fs::path& backup, const fs::path& target, Progress& progress) {
    const fs::path existing = existingSpelling(target);
    return buildBeside(existing, backup, Existing::Replace, [&] {
        FolderPlan plan;
        addCarriedParts(plan, backup);
        if (IsFolder(existing)) addKeptParts(plan, existing, backup);
        return plan;
    }, progress);
}

fs::path CopyNeighbourhood(const fs::path& neighbourhood, const fs::path& target, Progress& progress) {
    return buildBeside(existingSpelling(target), neighbourhood, Existing::Refuse, [&] {
        FolderPlan plan;
        addCarriedParts(plan, neighbourhood);
        return plan;
    }, progress).folder;
}

fs::path CopyBackup(const fs::path& backup, const fs::path& target, Progress& progress) {
    if (const fs::path taken = existingSpelling(target); PathExists(taken)) {
        throw ShellOperationError("cannot copy " + QuotedPath(backup) + ": " + QuotedPath(taken) + " exists", EEXIST);
    }
    progress.setMaximum(1);
    progress.showStatus(backup.filename().string());
    // The tree copy appears at `target` complete or not at all, and on disk.
    recoverLeftovers(target.parent_path(), target.filename().string());
    CopyFolderTree(backup, target, CopyFlush::Yes);
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
