#include "skintools/DuplicateStore.h"

#include "platform/AppFolder.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"

#include <initializer_list>
#include <string_view>

namespace corvane {

namespace {

std::string joinedTexts(std::initializer_list<int> ids) {
    std::string text;
    for (int id : ids) {
        text += (text.empty() ? "" : " ") + LangStr(id);
    }
    return text;
}

// `folder` (relative, as a tree group names it) + `fileName` below `base`;
// a name that would leave `base` is refused.
std::filesystem::path below(const std::filesystem::path& base, const std::string& folder, const std::string& fileName) {
    const std::filesystem::path relative = (std::filesystem::path(folder) / fileName).lexically_normal();
    const bool escapes = relative.is_absolute() || relative.empty() || *relative.begin() == "..";
    if (escapes || fileName.empty() || fileName.find('/') != std::string::npos) {
        throw SkinMoveError(QuotedPath(relative) + " does not lie below " + QuotedPath(base));
    }
    return base / relative;
}

void makeWritable(const std::filesystem::path& file) {
    std::error_code ignored;  // a file that stays read-only still moves by rename; a failed copy says why
    std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                 ignored);
}

// Whether a move may replace the file at `target`: yes when there is none,
// else the user's answer to `question`. The question speaks of a file: a
// folder of that name is refused without asking, never sent to the Trash.
bool mayReplace(const std::filesystem::path& target, MessageId question, Dialogs& dialogs) {
    if (IsFolder(target)) throw SkinMoveError(QuotedPath(target) + " is a folder");
    if (!PathExists(target)) return true;
    const std::string text = LangStr(question) + "\n" + target.string();
    return StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::Confirmation, 0, mrNo, mbYesNo) == mrYes;
}

constexpr std::string_view kAsideSuffix = ".replaced";

// A free hidden name beside `target` to hold the file it replaces until the
// move has succeeded.
std::filesystem::path asideName(const std::filesystem::path& target) {
    const std::string stem = "." + target.filename().string() + std::string(kAsideSuffix);
    for (int n = 1; n <= 1000; ++n) {
        std::filesystem::path candidate = target.parent_path() / (n == 1 ? stem : stem + "-" + std::to_string(n));
        if (!PathExists(candidate)) return candidate;
    }
    throw SkinMoveError("no free name beside " + QuotedPath(target) + " to set it aside");
}

// Moves `source` to `target`. A file at `target` is renamed aside first and
// goes to the Trash (under its own name and place) only once the source is
// in: a failed move puts it back, so neither file is lost or left in the
// Trash alone.
void moveReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
    try {
        makeWritable(source);
        if (!PathExists(target)) {
            MoveFile(source, target);
            return;
        }
        const std::filesystem::path aside = asideName(target);
        MoveToNewPath(target, aside);
        try {
            MoveFile(source, target);
        } catch (...) {
            MoveToNewPath(aside, target);
            throw;
        }
        try {
            MoveToTrashAs(aside, target);
        } catch (const std::exception&) {
            // The move is done; the replaced file stays beside it, hidden, rather than being deleted.
        }
    } catch (const std::exception& error) {
        throw SkinMoveError(error.what());
    }
}

void addLeafOnce(SkinTree& tree, const std::string& folder, const std::string& fileName) {
    SkinTreeGroup& group = tree.group(folder);
    for (const SkinTreeLeaf& leaf : group.leaves) {
        if (leaf.fileName == fileName) return;
    }
    group.leaves.push_back({fileName, std::nullopt});
}

// The name of the file `aside` holds (".x.bmp.replaced-2" holds "x.bmp"), or
// nothing when the name is not one asideName gives.
std::optional<std::string> setAsideFor(const std::string& aside) {
    std::string rest = aside;
    if (const auto dash = rest.rfind('-'); dash != std::string::npos && dash + 1 < rest.size() &&
                                           rest.find_first_not_of("0123456789", dash + 1) == std::string::npos) {
        rest.erase(dash);
    }
    if (rest.size() <= 1 + kAsideSuffix.size() || rest.front() != '.' ||
        rest.compare(rest.size() - kAsideSuffix.size(), kAsideSuffix.size(), kAsideSuffix) != 0) {
        return std::nullopt;
    }
    return rest.substr(1, rest.size() - 1 - kAsideSuffix.size());
}

}  // namespace

std::optional<Leftover> RecoverSetAsideFile(const std::filesystem::path& entry) {
    const std::optional<std::string> name = setAsideFor(entry.filename().string());
    std::error_code ec;
    if (!name || !std::filesystem::is_regular_file(std::filesystem::symlink_status(entry, ec))) return std::nullopt;
    const std::filesystem::path original = entry.parent_path() / *name;
    try {
        if (!PathExists(original)) {
            MoveToNewPath(entry, original);
            return Leftover{entry, Leftover::Fate::PutBack, original, {}};
        }
        return Leftover{entry, Leftover::Fate::Trashed, MoveToTrashAs(entry, original).item, {}};
    } catch (const std::exception& error) {
        return Leftover{entry, Leftover::Fate::Failed, {}, error.what()};
    }
}

SkinMoveError::SkinMoveError(const std::string& cause)
    : std::runtime_error(LangStr(kSkinMoveFailed).empty() ? cause : LangStr(kSkinMoveFailed) + " " + cause) {}

std::filesystem::path StoredSkinsFolder() {
    return ApplicationFolder() / "CMX_SKN";
}

MoveOutcome StoreFinding(DuplicateTrees& trees, const ProblemRecordDetails& finding, const DuplicatePlaces& places,
                         Dialogs& dialogs) {
    const std::string relative = RelativeFolder(finding.Folder, places.gamePath);
    const std::filesystem::path source = below(places.gamePath, relative, finding.FileName);
    MoveOutcome outcome = MoveOutcome::SourceMissing;
    if (PathExists(source)) {
        const std::filesystem::path target = below(places.storeFolder, relative, finding.FileName);
        if (!mayReplace(target, kReplaceStoredCopy, dialogs)) return MoveOutcome::Declined;
        addLeafOnce(trees.stored, relative, finding.FileName);
        moveReplacing(source, target);
        outcome = MoveOutcome::Moved;
    }
    trees.found.removeByText(finding.FileName);
    return outcome;
}

MoveOutcome RestoreStored(DuplicateTrees& trees, const std::string& folder, const std::string& fileName,
                          const DuplicatePlaces& places, Dialogs& dialogs) {
    const std::filesystem::path source = below(places.storeFolder, folder, fileName);
    MoveOutcome outcome = MoveOutcome::SourceMissing;
    if (PathExists(source)) {
        // The game ignores letter case: a folder or file back in another case is the same one.
        const std::filesystem::path target =
            ResolveCaseInsensitive(places.gamePath, below(places.gamePath, folder, fileName)
                                                        .lexically_relative(places.gamePath)
                                                        .string());
        if (!mayReplace(target, kReplaceGameFileWithStored, dialogs)) return MoveOutcome::Declined;
        moveReplacing(source, target);
        outcome = MoveOutcome::Moved;
    }
    trees.stored.removeByText(fileName);
    return outcome;
}

std::string FoundTreeHelp() {
    return joinedTexts({7128, 7129, 7130, 7131});
}

std::string StoredTreeHelp() {
    return joinedTexts({7134, 7135, 7136});
}

std::string RestoredInfo(bool dragged) {
    return dragged ? joinedTexts({7132, 7133}) : joinedTexts({7137, 7138});
}

}  // namespace corvane
