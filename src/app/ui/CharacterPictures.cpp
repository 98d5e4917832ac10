// The character's own pictures, drawn beside the preview for the next save.

#include "app/Settings.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmMain.h"
#include "platform/AppFolder.h"
#include "platform/SilentDialogs.h"
#include "render/CharacterImages.h"
#include "render/ui/OffscreenImageContext.h"
#include "skins/SkinCatalogue.h"

namespace corvane {

void TfrmMain::MakeCharacterImages() {
    const Sim* sim = document_.current();
    // Without OpenGL there is no preview and no picture; start-up said so once.
    if (sim == nullptr || f3DUIGL == nullptr) return;
    ReportFailure(services_.dialogs, [&] {
        const Settings& settings = AppSettings();
        const SkinFolders folders(settings.GamePath, settings.ExpansionLevel);
        // The preview has just said what of these skins is missing; a second message box here
        // would also repaint the preview while the pictures' context is current.
        SilentDialogs alreadySaid;
        OffscreenImageContext context;
        corvane::MakeCharacterImages(*sim, folders, GameSkinCatalogue(), alreadySaid, context.procLookup(),
                                     ApplicationFolder());
    });
}

QPixmap TfrmMain::missingPicture() const {
    return imgListX.empty() ? QPixmap() : imgListX.front();
}

}  // namespace corvane
