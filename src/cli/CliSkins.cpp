#include "cli/CliSkins.h"

#include "app/Settings.h"
#include "cli/CliGame.h"
#include "cli/StderrProgress.h"
#include "platform/CaseInsensitivePath.h"
#include "skins/SkinCatalogueBuilder.h"

namespace corvane::cli {

SkinFolders GameSkinFolders() {
    return SkinFolders(AppSettings().GamePath, AppSettings().ExpansionLevel);
}

std::filesystem::path GameSkinsFolder() {
    return ResolveCaseInsensitive(AppSettings().GamePath, AppSettings().SkinsFolder);
}

SkinCatalogue& BuiltSkinCatalogue() {
    SkinCatalogue& catalogue = GameSkinCatalogue();
    StderrProgress progress;
    LoadSkinData(catalogue, GameSkinFolders(), progress);
    if (catalogue.ArchiveReadError) {
        throw GameDataError("an archive of the game could not be read; the catalogue is incomplete: " +
                            catalogue.ArchiveReadCause);
    }
    return catalogue;
}

}  // namespace corvane::cli
