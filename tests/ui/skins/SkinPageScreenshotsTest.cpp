// Pictures of the skin pages and of the character pictures the editor draws,
// written only when asked for (CORVANE_SCREENSHOT_OUT names a folder), for
// looking at them: a demo adult, then the same man in the real outfit of
// CORVANE_REALDATA_DIR when that folder is there.
#include "TestPaths.h"
#include "skins/ui/THandsPage.h"

#include "demo/GameBuilder.h"
#include "sim/SkinEdits.h"
#include "support/ui/Screenshots.h"

#include <QApplication>

namespace corvane {
namespace {

class SkinPageScreenshots : public test::ScreenshotEditorTest {
protected:

    void grabPages(const std::string& name) {
        for (const char* page : {"btnNormal", "btnHands"}) {
            window->pageButton(page)->click();
            QApplication::processEvents();
            test::SaveScreenshot(*window, QString("%1-%2").arg(page, QString::fromStdString(name)));
        }
    }

    // The six pictures as the next save would take them.
    void grabPictures(const std::string& name) {
        window->MakeCharacterImages();
        test::SaveStagedCharacterPictures("User00001", name);
    }
};

TEST_F(SkinPageScreenshots, ADemoAdult) {
    select("User00001");
    grabPages("demo");
    grabPictures("demo");
}

class RealOutfitScreenshots : public SkinPageScreenshots {
protected:
    void SetUp() override {
        const std::filesystem::path real(CORVANE_REALDATA_DIR);
        if (!std::filesystem::is_directory(real)) GTEST_SKIP() << "no real files here";
        GameBuilder installation(game);
        for (const auto& entry : std::filesystem::directory_iterator(real)) {
            if (entry.path().extension() == ".md") continue;
            std::filesystem::copy_file(entry.path(), game / "GameData/Skins" / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        ScreenshotEditorTest::SetUp();
    }
};

TEST_F(RealOutfitScreenshots, TheRealOutfit) {
    Sim& victor = select("User00001");
    Document& document = window->document();
    DressSlot(document, victor, SkinSlot::Body, {"B001MAFit_01", "B001MAFitlgt_relax"});
    DressSlot(document, victor, SkinSlot::Head, {"C003MA_RomanCrew", "C003MAlgt_Dad02"});
    DressSlot(document, victor, SkinSlot::OpenHandLeft, {"HMLO", "HUAOlgt"});
    DressSlot(document, victor, SkinSlot::OpenHandRight, {"HMRO", "HUAOlgt"});
    grabPages("real");
    grabPictures("real");
}

}  // namespace
}  // namespace corvane
