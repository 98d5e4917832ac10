// Pictures of the Makeover page with the 3D preview and of the character
// pictures it draws, written only when asked for (CORVANE_SCREENSHOT_OUT
// names a folder), for looking at them: a demo adult before and after a
// makeover to a dark-skinned fat woman and to a child; then, when
// CORVANE_REALDATA_DIR is there, a makeover that can only choose the real
// body and head.
#include "TestPaths.h"
#include "sim/ui/TMakeoverPage.h"

#include "support/ui/Screenshots.h"

#include <QApplication>
#include <QRadioButton>

namespace corvane {
namespace {

class MakeoverScreenshots : public test::ScreenshotEditorTest {
protected:
    TMakeoverPage& page() const { return *static_cast<TMakeoverPage*>(window->page(PageKind::Makeover)); }

    void grab(const std::string& name) {
        QApplication::processEvents();
        test::SaveScreenshot(*window, QString::fromStdString("makeover-" + name));
        window->MakeCharacterImages();
        test::SaveStagedCharacterPictures("User00001", "makeover-" + name);
    }
};

TEST_F(MakeoverScreenshots, ADemoAdultBecomesADarkSkinnedFatWomanAndAChild) {
    open("User00001", "btnMakeover");
    window->document().seedRandom(16);
    grab("before");
    page().rbSexFemale->click();
    page().rbRaceDrk->click();
    page().rbFat->click();
    grab("dark-fat-woman");
    for (int step = 0; step < 3; ++step) window->Undo();
    page().rbAgeChild->click();
    grab("child");
}

class RealMakeoverScreenshots : public MakeoverScreenshots {
protected:
    void SetUp() override {
        const std::filesystem::path real(CORVANE_REALDATA_DIR);
        if (!std::filesystem::is_directory(real)) GTEST_SKIP() << "no real files here";
        const std::filesystem::path skins = game / "GameData/Skins";
        for (const auto& entry : std::filesystem::directory_iterator(real)) {
            if (entry.path().extension() == ".md") continue;
            std::filesystem::copy_file(entry.path(), skins / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        // The demo's own light head and fit body texture would compete with the real ones.
        for (const char* demo : {"c001ma_bob.cmx", "B001MAFitlgt_casual.bmp", "hmlo.cmx", "hmro.cmx"}) {
            std::filesystem::remove(skins / demo);
        }
        ScreenshotEditorTest::SetUp();
    }
};

TEST_F(RealMakeoverScreenshots, TheRealBodyAndHeadAreChosen) {
    dialogs.answer(mrOk);  // the preview misses the texture he wears until the makeover
    Sim& victor = open("User00001", "btnMakeover");
    page().rbRaceMed->click();
    page().rbRaceLgt->click();
    EXPECT_EQ(victor.HeadMesh, "C003MA_RomanCrew");
    EXPECT_EQ(victor.HeadTexture, "C003MAlgt_Dad02");
    EXPECT_EQ(victor.BodyMesh, "B001MAFit_01");
    EXPECT_EQ(victor.BodyTexture, "B001MAFitlgt_relax");
    grab("real");
}

}  // namespace
}  // namespace corvane
