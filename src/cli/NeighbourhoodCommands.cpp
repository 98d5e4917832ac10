#include "cli/NeighbourhoodCommands.h"

#include "app/GameInstallation.h"
#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/StderrProgress.h"
#include "cli/SimJson.h"
#include "iff/NeighbourhoodLoader.h"
#include "platform/AppFolder.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"
#include "sim/CharacterList.h"
#include "skins/SkinFolders.h"

#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

std::string utf8(const std::string& gameText) {
    return CodePageToUtf8(gameText, CodePageForLanguage(AppSettings().LanguageNumber));
}

// The characters of the neighbourhood folder NB, in list order.
CharacterList openCharacters(const std::string& folderName) {
    const Settings& settings = AppSettings();
    const auto folder = ResolveCaseInsensitive(settings.GamePath, folderName);
    if (!std::filesystem::is_directory(folder) || !EqualsIgnoreCase(folderName.substr(0, 8), "userdata")) {
        throw GameDataError("no neighbourhood folder " + folderName + " in " + settings.GamePath.string());
    }
    SkinFolders skins(settings.GamePath, settings.ExpansionLevel);
    NeighbourhoodLoadSettings load;
    load.folder = folder;
    load.expansionLevel = settings.ExpansionLevel;
    load.languageNumber = settings.LanguageNumber;
    load.hasFameFolders = settings.ExpansionLevel >= 6;
    load.applicationFolder = ApplicationFolder();
    load.textureInstalled = [skins](const std::string& name) { return !skins.FindSkinFile(name, ".bmp").empty(); };
    CliDialogs dialogs(std::cerr);
    StderrProgress progress;
    OpenedNeighbourhood opened = OpenNeighbourhood(load, dialogs, progress);
    CharacterList list;
    list.assign(std::move(opened.characters), std::move(opened.thumbnails));
    return list;
}

std::string argument(const CliArguments& args, std::size_t index, const char* what) {
    if (args.arguments.size() <= index) {
        throw std::invalid_argument(args.command + " needs " + what);
    }
    return args.arguments[index];
}

}  // namespace

int RunNeighbourhoods(const CliArguments&, std::ostream& out) {
    for (const NeighbourhoodEntry& entry : ListNeighbourhoods(AppSettings().GamePath)) {
        out << entry.number << "\t" << entry.folderName << "\n";
    }
    return 0;
}

int RunCharacters(const CliArguments& args, std::ostream& out) {
    const CharacterList list = openCharacters(argument(args, 0, "a neighbourhood folder such as UserData2"));
    for (const CharacterList::Entry& entry : list.entries()) {
        out << utf8(entry.text) << "\n";
    }
    return 0;
}

int RunShow(const CliArguments& args, std::ostream& out) {
    const CharacterList list = openCharacters(argument(args, 0, "a neighbourhood folder and a character file"));
    std::string file = argument(args, 1, "a character file such as User00001");
    if (file.size() > 4 && EqualsIgnoreCase(file.substr(file.size() - 4), ".iff")) {
        file.resize(file.size() - 4);
    }
    for (const Sim* sim : list.sims()) {
        if (EqualsIgnoreCase(sim->FileName, file)) {
            out << (args.json ? SimAsJson(*sim, utf8) : SimAsText(*sim, utf8));
            return 0;
        }
    }
    throw GameDataError("no character " + file + " in " + args.arguments[0]);
}

}  // namespace corvane::cli
