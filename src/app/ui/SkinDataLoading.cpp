// Long work of the pages under the busy window: building the skin catalogue, choosing skins.

#include "app/Settings.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/TfrmMain.h"
#include "skins/SkinCatalogueBuilder.h"

#include <QFrame>
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

std::unique_ptr<CancellableProgress> TfrmMain::ShowBusy(const std::string& status, BusyCancel cancel) {
    auto busy = std::make_unique<TfrmBusy>(this);
    busy->setBusyWidth(pnl3DSim->width() - 4);
    if (cancel == BusyCancel::Offered) busy->offerCancel();
    busy->showStatus(status);
    return busy;
}

}  // namespace corvane
