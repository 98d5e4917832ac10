// Pictures of the duplicate search and missing-skin pages with findings, for
// looking at, written only when asked for (CORVANE_SCREENSHOT_OUT names a folder).

#include "platform/AtomicFile.h"
#include "skins/SkinFolders.h"
#include "skintools/DuplicateStore.h"
#include "support/ui/Screenshots.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class SkinSearchScreenshots : public test::ScreenshotEditorTest {
protected:
    void write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        ReplaceFileAtomically(file, text);
    }
};

TEST_F(SkinSearchScreenshots, DuplicatesFoundAndStored) {
    std::vector<std::string> folders = SkinFolders(game, 7).SearchFolders();
    for (std::string& relative : folders) std::replace(relative.begin(), relative.end(), '\\', '/');
    for (std::size_t i = 0; i < 3; ++i) write(game / folders.at(i) / "dupe.bmp", "copy");
    write(game / folders.at(0) / "twin.bmp", "copy");
    write(game / folders.at(1) / "twin.bmp", "copy");
    write(StoredSkinsFolder() / "GameData" / "Skins" / "stored.bmp", "stored");
    window->pageButton("btnDupsSearch")->click();
    QApplication::processEvents();
    test::SaveScreenshot(*window, "duplicate-search-page");
}

TEST_F(SkinSearchScreenshots, MissingSkinsFound) {
    select("User00001").BodyMesh = "xskin-gone-body";
    byId(2)->HeadTexture = "gone-head";
    window->pageButton("btnMissingSkinSearch")->click();
    QApplication::processEvents();
    test::SaveScreenshot(*window, "missing-skin-page");
}

}  // namespace
}  // namespace corvane
