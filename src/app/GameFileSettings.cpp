#include "app/GameFileSettings.h"

#include "platform/AppFolder.h"
#include "platform/CaseInsensitivePath.h"
#include "skins/SkinFolders.h"

namespace corvane {

NeighbourhoodLoadSettings LoadSettingsFor(const Settings& settings, const std::filesystem::path& folder,
                                          bool mayMoveFiles) {
    SkinFolders skins(settings.GamePath, settings.ExpansionLevel);
    NeighbourhoodLoadSettings load;
    load.folder = folder;
    load.expansionLevel = settings.ExpansionLevel;
    load.languageNumber = settings.LanguageNumber;
    // The later expansion packs' folders mean the longer person records; a
    // folder that cannot be looked at counts as missing.
    std::error_code unreadable;
    load.hasFameFolders =
        std::filesystem::is_directory(ResolveCaseInsensitive(settings.GamePath, "ExpansionPack6"), unreadable) ||
        std::filesystem::is_directory(ResolveCaseInsensitive(settings.GamePath, "ExpansionPack7"), unreadable);
    load.applicationFolder = ApplicationFolder();
    load.textureInstalled = [skins](const std::string& name) { return !skins.FindSkinFile(name, ".bmp").empty(); };
    load.mayMoveFiles = mayMoveFiles;
    return load;
}

CharacterSaveSettings SaveSettingsFor(const Settings& settings, const std::filesystem::path& folder) {
    CharacterSaveSettings save;
    save.gameFolder = settings.GamePath;
    save.neighbourhoodFolder = folder;
    save.applicationFolder = ApplicationFolder();
    save.expansionLevel = settings.ExpansionLevel;
    save.languageNumber = settings.LanguageNumber;
    save.reading = LoadSettingsFor(settings, folder, false);
    return save;
}

}  // namespace corvane
