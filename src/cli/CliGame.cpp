#include "cli/CliGame.h"

#include "app/GameInstallation.h"
#include "app/GameLocator.h"
#include "app/LanguageSetup.h"
#include "app/LanguageTable.h"
#include "app/Settings.h"
#include "platform/Registry.h"

namespace corvane::cli {

void SetUpGame(const CliArguments& args, const std::filesystem::path& languageFolder) {
    Settings& settings = AppSettings();
    GameKeyValues key = ReadGameKey(Registry(RegistryLocations::fromEnvironment()));
    settings.GamePath = args.gameFolder ? std::filesystem::path(*args.gameFolder) : key.gamePath;
    if (!HasGameExecutable(settings.GamePath)) {
        throw GameDataError("no game found" +
                            (settings.GamePath.empty() ? std::string() : " in " + settings.GamePath.string()) +
                            " (Sims.exe is missing); name its folder with --game DIR");
    }
    settings.GameLanguage = key.gameLanguage;
    settings.ExpansionLevel = DetectExpansionLevel(settings.GamePath);
    GameLanguageInfo language = GameLanguageOrDefault(settings.GameLanguage);
    settings.LanguageNumber = language.languageNumber;
    const std::string code = args.languageCode ? LanguageCodeForSwitch(*args.languageCode)
                                               : (language.code.empty() ? std::string("usen") : std::string(language.code));
    InstallLanguage(languageFolder, code);
}

}  // namespace corvane::cli
