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

// The game's folder name --as names: UserData, UserData2 … UserData99, or the
// number the neighbourhood list shows for it (01 for UserData).
std::string targetName(const std::string& given) {
    if (!given.empty() && given.size() <= 2 && given.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(given);
        if (number == 1) return "UserData";
        if (number >= 2 && number <= 99) return "UserData" + std::to_string(number);
    }
    if (!IsNeighbourhoodName(given)) {
        throw std::invalid_argument("--as wants UserData or UserData2 ... UserData99 (or 01 ... 99), not \"" + given +
                                    "\"");
    }
    return given;
}

void tellReplaced(std::ostream& out, const NeighbourhoodCopyResult& result, const char* what) {
    if (result.replaced) {
        out << "the " << what << " it replaced is in the Trash: " << QuotedPath(result.replaced->item) << "\n";
    }
}

}  // namespace

int RunBackups(const CliArguments& args, std::ostream& out) {
    const fs::path folder = BackupsFolder();
    std::vector<std::string> json;
    for (const std::string& name : NeighbourhoodFolderNames(folder)) {
        const std::string description = descriptionOf(folder / name);
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
    return 0;
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
    const std::string name = args.restoreAs ? targetName(*args.restoreAs) : backup.filename().string();
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

}  // namespace corvane::cli
