#include "cli/CliGame.h"

#include "app/GameInstallation.h"
#include "app/GameLocator.h"
#include "app/LanguageSetup.h"
#include "app/LanguageTable.h"
#include "app/Settings.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/Registry.h"

#include <iostream>

namespace corvane::cli {

namespace {

// --game names the game's folder or its Sims.exe.
std::filesystem::path gameFolderOf(const std::filesystem::path& named) {
    std::error_code ec;
    if (!EqualsIgnoreCase(named.filename().string(), "Sims.exe") || std::filesystem::is_directory(named, ec)) {
        return named;
    }
    return named.parent_path();
}

}  // namespace

void SetUpGame(const CliArguments& args, const std::filesystem::path& languageFolder) {
    Settings& settings = AppSettings();
    GameKeyValues key = ReadGameKey(Registry(RegistryLocations::fromEnvironment()));
    settings.GamePath = args.gameFolder ? gameFolderOf(*args.gameFolder) : key.gamePath;
    if (!HasGameExecutable(settings.GamePath)) {
        throw GameDataError("no game found" +
                            (settings.GamePath.empty() ? std::string() : " in " + settings.GamePath.string()) +
                            " (Sims.exe is missing); name its folder with --game DIR");
    }
    // Nobody is asked for a language: --lang, else the game's, else US English.
    settings.GameLanguage = args.languageCode ? *args.languageCode : key.gameLanguage;
    settings.ExpansionLevel = DetectExpansionLevel(settings.GamePath);
    const std::optional<GameLanguageInfo> chosen = FindGameLanguage(settings.GameLanguage);
    const GameLanguageInfo language = chosen.value_or(GameLanguageOrDefault(""));
    settings.LanguageNumber = language.languageNumber;
    const InstalledLanguage installed =
        InstallLanguage(languageFolder, chosen ? std::string(language.code) : std::string("usen"));
    // A damaged table never passes unsaid: its texts are replaced, or empty.
    for (const std::string& cause : installed.unreadable) {
        std::cerr << "corvane3d-cli: the language table cannot be read: " << cause << "; "
                  << (installed.file.empty() ? "messages are shown without their texts"
                                             : "using " + installed.file.filename().string() + " instead")
                  << "\n";
    }
}

}  // namespace corvane::cli
