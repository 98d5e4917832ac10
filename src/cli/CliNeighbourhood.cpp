#include "cli/CliNeighbourhood.h"

#include "app/GameFileSettings.h"
#include "app/GameInstallation.h"
#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/StderrProgress.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"

#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// "2" names the same neighbourhood as "02".
bool sameNumber(const std::string& number, const std::string& given) {
    if (number == given) return true;
    if (!allDigits(number) || !allDigits(given) || given.size() > 4) return false;
    return std::stoi(number) == std::stoi(given);
}

}  // namespace

std::filesystem::path NeighbourhoodFolder(const std::string& folderName) {
    const Settings& settings = AppSettings();
    if (allDigits(folderName)) {
        for (const NeighbourhoodEntry& entry : ListNeighbourhoods(settings.GamePath)) {
            if (sameNumber(entry.number, folderName)) return settings.GamePath / entry.folderName;
        }
        throw GameDataError("no neighbourhood numbered " + folderName + " in " + settings.GamePath.string() +
                            " (corvane3d-cli neighbourhoods lists them)");
    }
    const auto folder = ResolveCaseInsensitive(settings.GamePath, folderName);
    if (!std::filesystem::is_directory(folder) || !EqualsIgnoreCase(folderName.substr(0, 8), "userdata")) {
        throw GameDataError("no neighbourhood folder " + folderName + " in " + settings.GamePath.string());
    }
    return folder;
}

namespace {

OpenedNeighbourhood openCharacters(const std::string& folderName) {
    // Reading never changes the installation: damaged files are listed and left.
    const NeighbourhoodLoadSettings load = LoadSettingsFor(AppSettings(), NeighbourhoodFolder(folderName), false);
    CliDialogs dialogs(std::cerr);
    StderrProgress progress;
    OpenedNeighbourhood opened = OpenNeighbourhood(load, dialogs, progress);
    if (!opened.failure.empty()) {
        throw GameDataError("no character of " + folderName + " could be read (see above)");
    }
    return opened;
}

}  // namespace

void OpenDocument(const std::string& folderName, Document& document) {
    OpenedNeighbourhood opened = openCharacters(folderName);
    document.open(std::move(opened.characters), std::move(opened.thumbnails), std::move(opened.image),
                  opened.imageStamp);
}

CharacterList OpenCharacterList(const std::string& folderName) {
    OpenedNeighbourhood opened = openCharacters(folderName);
    CharacterList list;
    list.assign(std::move(opened.characters), std::move(opened.thumbnails), opened.imageStamp);
    return list;
}

Sim& FindCharacter(const CharacterList& list, std::string file, const std::string& folderName) {
    if (file.size() > 4 && EqualsIgnoreCase(file.substr(file.size() - 4), ".iff")) {
        file.resize(file.size() - 4);
    }
    for (Sim* sim : list.sims()) {
        if (EqualsIgnoreCase(sim->FileName, file)) return *sim;
    }
    throw GameDataError("no character " + file + " in " + folderName);
}

std::string RequiredArgument(const CliArguments& args, std::size_t index, const char* what) {
    if (args.arguments.size() <= index) {
        throw std::invalid_argument(args.command + " needs " + what);
    }
    return args.arguments[index];
}

std::string GameTextToUtf8(const std::string& gameText) {
    return CodePageToUtf8(gameText, CodePageForLanguage(AppSettings().LanguageNumber));
}

std::string Utf8ToGameText(const std::string& utf8) {
    return Utf8ToCodePage(utf8, CodePageForLanguage(AppSettings().LanguageNumber));
}

}  // namespace corvane::cli
