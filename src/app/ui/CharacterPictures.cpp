// The character's own pictures, drawn beside the preview for the next save.

#include "app/Settings.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmMain.h"
#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/SilentDialogs.h"
#include "render/CharacterImages.h"
#include "render/ui/OffscreenImageContext.h"
#include "sim/SkinEdits.h"
#include "skins/SkinCatalogue.h"

#include <filesystem>

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

void TfrmMain::stepThroughHistory(const std::function<bool()>& step) {
    const std::vector<Sim*> sims = document_.sims();
    std::vector<std::vector<std::string>> dressedBefore;
    for (const Sim* sim : sims) dressedBefore.push_back(SkinNamesOf(*sim));
    if (!step()) return;
    for (std::size_t i = 0; i < sims.size(); ++i) {
        const Sim& sim = *sims[i];
        const bool dressedAnew = SkinNamesOf(sim) != dressedBefore[i];
        if (sim.ResetThumbnail && !dressedAnew) continue;
        if (sim.ResetThumbnail && &sim == document_.current()) {
            MakeCharacterImages();
            continue;
        }
        // Pictures of a step that is undone, or of a character not on show: the
        // save leaves the old ones out and the game draws new ones.
        std::error_code ignored;
        std::filesystem::remove(CharacterImageFile(ApplicationFolder(), sim.FileName), ignored);
    }
}

QPixmap TfrmMain::missingPicture() const {
    return imgListX.empty() ? QPixmap() : imgListX.front();
}

}  // namespace corvane
