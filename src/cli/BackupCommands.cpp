#include "cli/BackupCommands.h"

#include "app/Settings.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/JsonWriter.h"
#include "cli/StderrProgress.h"
#include "neighbourhoods/NeighbourhoodCopies.h"
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ShellFileOps.h"

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::cli {

namespace fs = std::filesystem;

namespace {

std::string descriptionOf(const fs::path& folder) {
    const std::optional<std::string> description = ReadNeighbourhoodDescription(folder);
    return description ? GameTextToUtf8(*description) : std::string();
}

// A description that cannot be read says so in its place; the listing goes on.
std::string listedDescriptionOf(const fs::path& folder, bool& unreadable) {
    try {
        return descriptionOf(folder);
    } catch (const std::exception& error) {
        unreadable = true;
        std::cerr << "corvane3d-cli: " << error.what() << "\n";
        return "(unreadable description)";
    }
}

fs::path backupNamed(const std::string& name) {
    const fs::path folder = BackupsFolder();
    for (const std::string& backup : NeighbourhoodFolderNames(folder)) {
        if (backup == name) return folder / backup;
    }
    for (const std::string& backup : NeighbourhoodFolderNames(folder)) {
        if (EqualsIgnoreCase(backup, name)) return folder / backup;
    }
    throw GameDataError("no backup " + name + " in " + QuotedPath(folder) + " (corvane3d-cli backups lists them)");
}

// The game's folder name that --as or a new name gives: UserData, UserData2 …
// UserData99, or the number the neighbourhood list shows for it (01 for
// UserData); in any letter case, written as the game's list shows it.
std::string targetName(const std::string& given, const char* what) {
    constexpr std::string_view kMain = "UserData";
    if (IsNeighbourhoodName(given)) return std::string(kMain) + given.substr(kMain.size());
    if (!given.empty() && given.size() <= 2 && given.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(given);
        if (number == 1) return std::string(kMain);
        if (number >= 2 && number <= 99) return std::string(kMain) + std::to_string(number);
    }
    throw std::invalid_argument(std::string(what) + " wants UserData or UserData2 ... UserData99 (or 01 ... 99), not \"" +
                                given + "\"");
}

void tellReplaced(std::ostream& out, const NeighbourhoodCopyResult& result, const char* what) {
    if (result.replaced) {
        out << "the " << what << " it replaced is in the Trash: " << QuotedPath(result.replaced->item) << "\n";
    }
    if (!result.replacedKept.empty()) out << result.replacedKept << "\n";
}

}  // namespace

int RunBackups(const CliArguments& args, std::ostream& out) {
    const fs::path folder = BackupsFolder();
    std::vector<std::string> json;
    bool unreadable = false;
    for (const std::string& name : NeighbourhoodFolderNames(folder)) {
        const std::string description = listedDescriptionOf(folder / name, unreadable);
        if (!args.json) {
            out << name << "\t" << FirstDescriptionLine(description) << "\n";
            continue;
        }
        json.push_back(JsonObject()
                           .text("Name", name)
                           .text("Path", (folder / name).string())
                           .text("Description", description)
                           .line());
    }
    if (args.json) out << JsonArray(json, 2) << "\n";
    return unreadable ? 2 : 0;
}

int RunBackup(const CliArguments& args, std::ostream& out) {
    const fs::path neighbourhood =
        NeighbourhoodFolder(RequiredArgument(args, 0, "a neighbourhood such as UserData2 or 02"));
    StderrProgress progress;
    const NeighbourhoodCopyResult result = BackUpNeighbourhood(neighbourhood, BackupsFolder(), progress);
    out << "backed up " << QuotedPath(neighbourhood) << " to " << QuotedPath(result.folder) << "\n";
    tellReplaced(out, result, "older backup");
    return 0;
}

int RunRestore(const CliArguments& args, std::ostream& out) {
    const fs::path backup = backupNamed(RequiredArgument(args, 0, "a backup such as UserData2"));
    const std::string name = args.restoreAs ? targetName(*args.restoreAs, "--as") : backup.filename().string();
    if (!IsNeighbourhoodName(name)) {
        throw std::invalid_argument("the game would not load a neighbourhood named " + name +
                                    "; restore it --as UserData2 ... UserData99");
    }
    const fs::path& gamePath = AppSettings().GamePath;
    const fs::path existing = ResolveCaseInsensitive(gamePath, name);
    if (PathExists(existing) && !args.replace) {
        throw GameDataError("the neighbourhood " + QuotedPath(existing) +
                            " exists; restore --replace replaces it (it goes to the Trash)");
    }
    StderrProgress progress;
    const NeighbourhoodCopyResult result = RestoreNeighbourhood(backup, gamePath / name, progress);
    out << "restored " << QuotedPath(backup) << " to " << QuotedPath(result.folder) << "\n";
    tellReplaced(out, result, "neighbourhood");
    return 0;
}

namespace {

enum class NameUse { Copy, Rename };

// A new name as the page's name dialog offers it: UserData2 ... UserData99,
// and UserData only for renaming a game neighbourhood without expansion packs.
std::string newName(const CliArguments& args, NeighbourhoodPlace place, NameUse use) {
    const std::string name = targetName(RequiredArgument(args, 1, "the new name"), "the new name");
    const bool mainOffered =
        place == NeighbourhoodPlace::Game && use == NameUse::Rename && AppSettings().ExpansionLevel == 0;
    if (name == "UserData" && !mainOffered) {
        throw std::invalid_argument("the new name is UserData2 ... UserData99" +
                                    std::string(place == NeighbourhoodPlace::Game && use == NameUse::Rename
                                                    ? " (UserData only without expansion packs)"
                                                    : ""));
    }
    return name;
}

fs::path gameNeighbourhood(const CliArguments& args) {
    return NeighbourhoodFolder(RequiredArgument(args, 0, "a neighbourhood such as UserData2 or 02"));
}

fs::path namedBackup(const CliArguments& args) {
    return backupNamed(RequiredArgument(args, 0, "a backup such as UserData2"));
}

int printOrSaveDescription(const CliArguments& args, const fs::path& folder, std::ostream& out) {
    if (args.arguments.size() < 2) {
        out << descriptionOf(folder) << "\n";
        return 0;
    }
    std::string text = args.arguments[1];
    for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 2)) {
        text.replace(at, 2, "\r\n");
    }
    SaveNeighbourhoodDescription(folder, Utf8ToGameText(text));
    out << "saved the description of " << QuotedPath(folder) << "\n";
    return 0;
}

}  // namespace

int RunCopyNeighbourhood(const CliArguments& args, std::ostream& out) {
    const fs::path source = gameNeighbourhood(args);
    StderrProgress progress;
    const fs::path copy =
        CopyNeighbourhood(source, AppSettings().GamePath / newName(args, NeighbourhoodPlace::Game, NameUse::Copy), progress);
    out << "copied " << QuotedPath(source) << " to " << QuotedPath(copy) << "\n";
    return 0;
}

int RunCopyBackup(const CliArguments& args, std::ostream& out) {
    const fs::path source = namedBackup(args);
    StderrProgress progress;
    const fs::path copy = CopyBackup(source, BackupsFolder() / newName(args, NeighbourhoodPlace::Backups, NameUse::Copy), progress);
    out << "copied " << QuotedPath(source) << " to " << QuotedPath(copy) << "\n";
    return 0;
}

int RunRenameNeighbourhood(const CliArguments& args, std::ostream& out) {
    const fs::path folder = gameNeighbourhood(args);
    const fs::path renamed = RenameNeighbourhood(folder, newName(args, NeighbourhoodPlace::Game, NameUse::Rename),
                                                 NeighbourhoodPlace::Game, AppSettings().ExpansionLevel);
    out << "renamed " << QuotedPath(folder) << " to " << QuotedPath(renamed) << "\n";
    return 0;
}

int RunRenameBackup(const CliArguments& args, std::ostream& out) {
    const fs::path folder = namedBackup(args);
    const fs::path renamed = RenameNeighbourhood(folder, newName(args, NeighbourhoodPlace::Backups, NameUse::Rename),
                                                 NeighbourhoodPlace::Backups, AppSettings().ExpansionLevel);
    out << "renamed " << QuotedPath(folder) << " to " << QuotedPath(renamed) << "\n";
    return 0;
}

int RunDeleteNeighbourhood(const CliArguments& args, std::ostream& out) {
    const fs::path folder = gameNeighbourhood(args);
    const TrashedItem trashed = DeleteNeighbourhood(folder, NeighbourhoodPlace::Game);
    out << "moved " << QuotedPath(folder) << " to the Trash: " << QuotedPath(trashed.item) << "\n";
    return 0;
}

int RunDeleteBackup(const CliArguments& args, std::ostream& out) {
    const fs::path folder = namedBackup(args);
    const TrashedItem trashed = DeleteNeighbourhood(folder, NeighbourhoodPlace::Backups);
    out << "moved " << QuotedPath(folder) << " to the Trash: " << QuotedPath(trashed.item) << "\n";
    return 0;
}

int RunDescription(const CliArguments& args, std::ostream& out) {
    return printOrSaveDescription(args, gameNeighbourhood(args), out);
}

int RunBackupDescription(const CliArguments& args, std::ostream& out) {
    return printOrSaveDescription(args, namedBackup(args), out);
}

}  // namespace corvane::cli
