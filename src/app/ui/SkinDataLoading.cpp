// Building the skin catalogue under the busy window.

#include "app/Settings.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/TfrmMain.h"
#include "skins/SkinCatalogueBuilder.h"

#include <QGroupBox>

#include <exception>

namespace corvane {

bool TfrmMain::LoadSkinData() {
    SkinCatalogue& catalogue = GameSkinCatalogue();
    if (catalogue.complete()) {
        return !catalogue.ArchiveReadError;
    }
    TfrmBusy busy(this);
    busy.setBusyWidth(pageGroup("grpNeighborhood")->width() - 4);
    try {
        corvane::LoadSkinData(catalogue, SkinFolders(AppSettings().GamePath, AppSettings().ExpansionLevel), busy);
    } catch (const std::exception& error) {
        catalogue.ArchiveReadCause = error.what();
        return false;
    }
    return !catalogue.ArchiveReadError;
}

}  // namespace corvane
