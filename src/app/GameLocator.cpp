#include "app/GameLocator.h"

#include "app/GameInstallation.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/WinePathMapper.h"

namespace corvane {

namespace {

std::optional<WinePathMapper> prefixMapper(const Registry& registry) {
    const auto& prefix = registry.locations().winePrefix;
    return prefix ? WinePathMapper::forPrefix(*prefix) : std::nullopt;
}

// SIMS_DATA as the game keeps it: a Windows path with a trailing backslash
// while the key lives in a Wine prefix, the host path otherwise.
std::string registryGamePath(const Registry& registry, const std::filesystem::path& folder) {
    if (registry.gameKeyFile() != registry.iniFile()) {
        if (auto mapper = prefixMapper(registry)) {
            if (auto windows = mapper->toWindows(folder)) {
                return windows->ends_with('\\') ? *windows : *windows + "\\";
            }
        }
    }
    return folder.string();
}

void tellGameNotFound(Dialogs& dialogs) {
    StyledMessageDlg(dialogs, LangStr(5022), LangStr(8041), MsgKind::None, 0, mrOk, mbOK);
}

}  // namespace

GameKeyValues ReadGameKey(const Registry& registry) {
    GameKeyValues values;
    std::string data = registry.read(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA");
    if (!data.empty()) {
        values.gamePath = HostPathFromRegistry(data, prefixMapper(registry)).value_or(std::filesystem::path());
    }
    std::string neighbourhood = registry.read(RegistryRoot::LocalMachine, kGameRegistryKey,
                                              "SIMS_CURRENT_NEIGHBORHOOD_PATH");
    if (!neighbourhood.empty()) {
        values.preselectedNeighbourhood = neighbourhood;
    }
    values.gameLanguage = registry.read(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE").substr(0, 4);
    return values;
}

std::optional<std::filesystem::path> LocateGame(const std::filesystem::path& gamePath, Registry& registry,
                                                Dialogs& dialogs) {
    if (HasGameExecutable(gamePath)) {
        return gamePath;
    }
    if (StyledMessageDlg(dialogs, LangStr(5022), LangStr(8040), MsgKind::None, 0, mrYes, mbYesNo) != mrYes) {
        return std::nullopt;
    }
    auto chosen = dialogs.chooseOpenFile({LangStr(5022), "Sims.exe|Sims.exe", {}, "Sims.exe"});
    if (!chosen) {
        tellGameNotFound(dialogs);
        return std::nullopt;
    }
    std::filesystem::path folder = chosen->parent_path();
    if (!HasGameExecutable(folder)) {
        tellGameNotFound(dialogs);
        return std::nullopt;
    }
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA", registryGamePath(registry, folder));
    return folder;
}

std::string EnsureGameLanguage(const std::string& gameLanguage, Registry& registry,
                               const std::function<std::string()>& askLanguage) {
    if (!gameLanguage.empty()) {
        return gameLanguage;
    }
    std::string chosen = askLanguage().substr(0, 4);
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE", chosen);
    return chosen;
}

}  // namespace corvane
