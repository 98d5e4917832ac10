#include "app/LeftoverCleanup.h"

#include "neighbourhoods/InterruptedSaveReport.h"
#include "neighbourhoods/NeighbourhoodCopies.h"
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/DurableWrite.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "skins/SkinFolders.h"
#include "skintools/DuplicateStore.h"

#include <algorithm>
#include <set>

namespace corvane {

namespace fs = std::filesystem;

namespace {

inline constexpr MessageId kLeftoversCleanedUp{7300};
inline constexpr MessageId kLeftoverRemoved{7301};
inline constexpr MessageId kLeftoverTrashed{7302};
inline constexpr MessageId kLeftoverPutBack{7303};
inline constexpr MessageId kLeftoverFailed{7304};

// A temporary file of an all-or-nothing write, or a copy staged beside its
// target: the original is still in place, so the leftover goes for good.
std::optional<Leftover> removeCopyOrTemporary(const fs::path& entry) {
    const std::string name = entry.filename().string();
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(entry, ec).type();
    const bool temporary = IsSiblingTemporaryName(name) && type == fs::file_type::regular;
    if (!temporary && !IsCopyStagingName(name)) return std::nullopt;
    try {
        DeletePermanently(entry);
        return Leftover{entry, Leftover::Fate::Removed, {}, {}};
    } catch (const std::exception& error) {
        return Leftover{entry, Leftover::Fate::Failed, {}, error.what()};
    }
}

// Sweeps one folder; with `recursive` its subfolders too (links not followed).
void sweepFolder(const fs::path& folder, bool recursive, std::vector<Leftover>& found) {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        if (std::optional<Leftover> done = removeCopyOrTemporary(entry)) {
            found.push_back(std::move(*done));
        } else if (std::optional<Leftover> back = RecoverSetAsideFile(entry)) {
            found.push_back(std::move(*back));
        } else if (recursive && fs::is_directory(fs::symlink_status(entry, ec))) {
            sweepFolder(entry, true, found);
        }
    }
}

// The folders of the installation where our writes and moves leave things:
// the game folder, each neighbourhood and the folders directly in it, and
// every skin folder; each once, however links lead to it.
std::vector<fs::path> installationFolders(const fs::path& gamePath, int expansionLevel) {
    std::vector<fs::path> folders{gamePath};
    for (const std::string& name : NeighbourhoodFolderNames(gamePath)) {
        const fs::path neighbourhood = gamePath / name;
        folders.push_back(neighbourhood);
        std::error_code ec;
        for (fs::directory_iterator it(neighbourhood, ec), end; !ec && it != end; it.increment(ec)) {
            if (fs::is_directory(it->symlink_status(ec))) folders.push_back(it->path());
        }
    }
    const SkinFolders skins(gamePath, expansionLevel);
    std::vector<std::string> relative = skins.SearchFolders();
    for (std::string& fallback : SkinFolders::FallbackFolders()) relative.push_back(std::move(fallback));
    for (const std::string& folder : relative) folders.push_back(ResolveCaseInsensitive(gamePath, folder));
    std::set<FileIdentity> seen;
    std::vector<fs::path> unique;
    for (const fs::path& folder : folders) {
        const std::optional<FileIdentity> identity = IdentityOf(folder);
        if (identity && IsFolder(folder) && seen.insert(*identity).second) unique.push_back(folder);
    }
    return unique;
}

void append(std::vector<Leftover>& to, std::vector<Leftover> more) {
    for (Leftover& leftover : more) to.push_back(std::move(leftover));
}

std::string line(const Leftover& leftover) {
    switch (leftover.fate) {
    case Leftover::Fate::Removed:
        return leftover.path.string() + ": " + LangStr(kLeftoverRemoved);
    case Leftover::Fate::Trashed:
        return leftover.path.string() + ": " + LangStr(kLeftoverTrashed) + " " + leftover.where.string();
    case Leftover::Fate::PutBack:
        return leftover.path.string() + ": " + LangStr(kLeftoverPutBack) + " " + leftover.where.string();
    case Leftover::Fate::Failed:
        return leftover.path.string() + ": " + LangStr(kLeftoverFailed) + " " + leftover.cause;
    case Leftover::Fate::InUse:
        break;
    }
    return {};
}

}  // namespace

std::vector<Leftover> CleanUpLeftovers(const fs::path& gamePath, int expansionLevel) {
    std::vector<Leftover> found;
    append(found, RecoverInterruptedCopies(gamePath));
    append(found, RecoverInterruptedCopies(BackupsFolder()));
    for (const fs::path& folder : installationFolders(gamePath, expansionLevel)) sweepFolder(folder, false, found);
    sweepFolder(BackupsFolder(), false, found);
    for (const std::string& backup : NeighbourhoodFolderNames(BackupsFolder())) {
        sweepFolder(BackupsFolder() / backup, false, found);  // a description written there
    }
    sweepFolder(StoredSkinsFolder(), true, found);
    return found;
}

InterruptedWorkReport RecoverInterruptedWork(const fs::path& gamePath, int expansionLevel) {
    const InterruptedSaveReport save = FinishInterruptedSaveAndDescribe();
    if (save.failed) return {save.text, true};
    const std::string leftovers = LeftoverReport(CleanUpLeftovers(gamePath, expansionLevel));
    return {save.text + (save.text.empty() || leftovers.empty() ? "" : "\n") + leftovers, false};
}

std::string LeftoverReport(const std::vector<Leftover>& leftovers) {
    std::string text;
    for (const Leftover& leftover : leftovers) {
        if (const std::string told = line(leftover); !told.empty()) text += "\n" + told;
    }
    return text.empty() ? text : LangStr(kLeftoversCleanedUp) + text;
}

}  // namespace corvane
