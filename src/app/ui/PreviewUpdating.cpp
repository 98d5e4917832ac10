// What the preview area shows: the logo, or the character dressed for the page on show.

#include "app/Settings.h"
#include "app/ui/TfrmMain.h"
#include "platform/AppFolder.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "render/PreviewComposition.h"
#include "render/PreviewModelLoading.h"
#include "render/ui/Tf3DUIGL.h"
#include "skins/SkinCatalogue.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace corvane {

void TfrmMain::createPreviewWindow() {
    if (!Tf3DUIGL::OpenGlAvailable()) {
        // Without OpenGL the editor works on; the preview area shows the logos only.
        StyledMessageDlg(services_.dialogs, LangStr(5022), LangStr(7170), MsgKind::Warning, 0, mrOk, mbOK);
        return;
    }
    f3DUIGL = new Tf3DUIGL(pnl3DSim, AppSettings().PreviewColor, services_.switches, services_.dialogs);
    f3DUIGL->setScene([this] { previewModels_.draw(); });
    f3DUIGL->setDropHandler([this](const std::string& file) {
        if (const PageInfo* shown = pageOnShow()) page(shown->kind)->fileDropped(file);
    });
    f3DUIGL->hide();
}

const PageInfo* TfrmMain::pageOnShow() const {
    for (const PageInfo& row : MainWindowPages()) {
        if (!page(row.kind)->isHidden()) return &row;
    }
    return nullptr;
}

void TfrmMain::UpdatePreview(PreviewContent content) {
    Sim* sim = document_.current();
    // The profile page shows the character as the others do, after its logo.
    const bool character = content == PreviewContent::Normal || content == PreviewContent::ProfileAfterLogo;
    if (!character || sim == nullptr || f3DUIGL == nullptr) return;
    // The character's pages are those with a Save button.
    const PageInfo* shown = pageOnShow();
    if (shown == nullptr || !shown->saveShown) return;
    img3DSim->hide();
    const Settings& settings = AppSettings();
    const SkinFolders folders(settings.GamePath, settings.ExpansionLevel);
    const SkinCatalogue& catalogue = GameSkinCatalogue();
    const SkinSlots dressed = SlotsForOutfit(*sim, shown->outfit, page(shown->kind)->handMarkers());
    showPreviewMeshes(CollectPreviewMeshes(dressed, folders, catalogue, services_.dialogs), SkeletonFileFor(*sim),
                      sim->Age < 10);
}

void TfrmMain::ShowSkinToolPreview(const SkinToolPreview& preview) {
    if (f3DUIGL == nullptr) return;
    img3DSim->hide();
    const Settings& settings = AppSettings();
    const SkinFolders folders(settings.GamePath, settings.ExpansionLevel);
    const SkinCatalogue& catalogue = GameSkinCatalogue();
    showPreviewMeshes(preview.builderMeshes.empty()
                          ? CollectPreviewMeshes(preview.dressed, folders, catalogue, services_.dialogs)
                          : CollectBuilderMeshes(preview.builderMeshes, folders, catalogue),
                      preview.skeleton, preview.child);
}

void TfrmMain::showPreviewMeshes(const std::vector<PreviewMesh>& meshes, const std::string& skeleton, bool child) {
    const Settings& settings = AppSettings();
    const SkinFolders folders(settings.GamePath, settings.ExpansionLevel);
    const SkinCatalogue& catalogue = GameSkinCatalogue();
    pnl3DSim->show();
    f3DUIGL->setGeometry(0, 0, pnl3DSim->width(), pnl3DSim->height());
    f3DUIGL->show();
    f3DUIGL->withContext([&] {
        previewModels_.clear();
        for (LoadedSknModel& model :
             LoadPreviewModels(meshes, skeleton, child, folders, catalogue, ApplicationFolder(), services_.dialogs)
                 .models) {
            previewModels_.add(std::move(model));
        }
    });
    f3DUIGL->update();
}

}  // namespace corvane
