#include "cli/SkinCommands.h"

#include "app/Settings.h"
#include "cli/CliGame.h"
#include "cli/StderrProgress.h"
#include "skins/SkinCatalogueBuilder.h"

namespace corvane::cli {

int RunCatalogue(const CliArguments&, std::ostream& out) {
    SkinCatalogue& catalogue = GameSkinCatalogue();
    StderrProgress progress;
    LoadSkinData(catalogue, SkinFolders(AppSettings().GamePath, AppSettings().ExpansionLevel), progress);
    if (catalogue.ArchiveReadError) {
        throw GameDataError("an archive of the game could not be read; the catalogue is incomplete");
    }
    out << "ArchiveMeshEntries\t" << catalogue.ArchiveMeshEntries->size() << "\n";
    out << "SknFileList\t" << catalogue.SknFileList->size() << "\n";
    out << "ArchiveCharacterEntries\t" << catalogue.ArchiveCharacterEntries->size() << "\n";
    out << "ArchiveTextureEntries\t" << catalogue.ArchiveTextureEntries->size() << "\n";
    return 0;
}

}  // namespace corvane::cli
