#include "cli/SkinStoreCommands.h"

#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/CliSkins.h"
#include "cli/CommandLine.h"
#include "cli/StderrProgress.h"
#include "platform/ShellFileOps.h"
#include "skintools/DuplicateSearch.h"
#include "skintools/DuplicateStore.h"

#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

// A path as the trees group it: the folder with its closing separator, and the name.
struct TreePlace {
    std::string folder;
    std::string fileName;
};

TreePlace treePlace(const CliArguments& args, const char* what) {
    const fs::path path = fs::path(Utf8ToGameText(RequiredArgument(args, 0, what))).lexically_normal();
    if (path.is_absolute() || !path.has_filename() || !path.has_parent_path()) {
        throw std::invalid_argument(path.string() + " is not " + what);
    }
    return {path.parent_path().string() + fs::path::preferred_separator, path.filename().string()};
}

DuplicatePlaces places() {
    return {AppSettings().GamePath, StoredSkinsFolder()};
}

// The question a move asks before replacing `target`: Yes with --replace;
// without it the command stops here, before anything moves.
CliDialogs answeringReplace(const CliArguments& args, const fs::path& target, MessageId question, const char* what) {
    if (PathExists(target) && !args.replace) {
        throw GameDataError(std::string(what) + " is there already: " + QuotedPath(target) + "; " + args.command +
                            " --replace replaces it (it goes to the Trash)");
    }
    return CliDialogs(std::cerr, ReplaceOnMoveQuestionText(question, target));
}

const ProblemRecordDetails& findingAt(const DuplicateSearchResult& result, const TreePlace& place) {
    for (const ProblemRecordDetails& finding : result.findings) {
        if (finding.FileName == place.fileName && RelativeFolder(finding.Folder, AppSettings().GamePath) == place.folder) {
            return finding;
        }
    }
    throw GameDataError(GameTextToUtf8(place.folder + place.fileName) +
                        " is not a file the duplicate search finds (see corvane3d-cli duplicates)");
}

}  // namespace

int RunStoreDuplicate(const CliArguments& args, std::ostream& out) {
    const TreePlace place = treePlace(args, "a file below the game folder (FOLDER/NAME)");
    StderrProgress progress;
    SkinCatalogue& catalogue = BuiltSkinCatalogue();
    const DuplicateSearchResult result = SearchDuplicates(GameSkinFolders(), catalogue, ScanControl{progress, {}});
    const ProblemRecordDetails& finding = findingAt(result, place);
    const fs::path target = StoredPlace(finding, places());
    CliDialogs dialogs = answeringReplace(args, target, kReplaceStoredCopy, "a stored copy");
    DuplicateTrees trees{FoundDuplicatesTree(result.findings, AppSettings().GamePath),
                         StoredSkinsTree(StoredSkinsFolder())};
    if (StoreFinding(trees, finding, places(), dialogs) != MoveOutcome::Moved) {
        throw GameDataError(GameTextToUtf8(place.folder + place.fileName) + " is no longer in the game");
    }
    out << "stored " << GameTextToUtf8(place.folder + place.fileName) << " in " << QuotedPath(target) << "\n";
    return kExitOk;
}

int RunRestoreDuplicate(const CliArguments& args, std::ostream& out) {
    const TreePlace place = treePlace(args, "a stored file (FOLDER/NAME)");
    const fs::path target = GamePlace(place.folder, place.fileName, places());
    CliDialogs dialogs = answeringReplace(args, target, kReplaceGameFileWithStored, "a file of that name in the game");
    DuplicateTrees trees{{}, StoredSkinsTree(StoredSkinsFolder())};
    if (RestoreStored(trees, place.folder, place.fileName, places(), dialogs) != MoveOutcome::Moved) {
        throw GameDataError("no stored file " + GameTextToUtf8(place.folder + place.fileName) + " in " +
                            QuotedPath(StoredSkinsFolder()));
    }
    out << "restored " << QuotedPath(target) << "\n";
    return kExitOk;
}

}  // namespace corvane::cli
