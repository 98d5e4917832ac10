// Pictures of the validation page and its two repair editors for looking at,
// written only when asked for (CORVANE_SCREENSHOT_OUT names a folder).

#include "SkinFaults.h"
#include "skins/SkinCatalogue.h"
#include "skintools/ui/TSkinValidatePage.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "skintools/ui/TfrmCMXEdit.h"
#include "support/ui/Screenshots.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

namespace corvane {
namespace {

class SkinValidateScreenshots : public test::ScreenshotEditorTest {
protected:
    void SetUp() override {
        ScreenshotEditorTest::SetUp();
        if (IsSkipped()) return;
        faults = test::SeedSkinFaults(builder);
        window->pageButton("btnSkinValidate")->click();
        QApplication::processEvents();
    }
    TSkinValidatePage& page() { return *static_cast<TSkinValidatePage*>(window->page(PageKind::SkinValidate)); }
    const ProblemRecordDetails& problemOf(const std::string& kind) {
        for (const ProblemRecordDetails& problem : page().problems()) {
            if (problem.Kind == kind) return problem;
        }
        throw std::runtime_error("no problem of kind " + kind);
    }
    static void save(QWidget& editor, const char* name) {
        editor.show();
        QApplication::processEvents();
        test::SaveScreenshot(editor, name);
    }

    GameBuilder builder{game};
    test::SeededFaults faults;
};

TEST_F(SkinValidateScreenshots, ThePageWithFindingsAndBothEditors) {
    page().lbProblemList->setCurrentRow(0);
    test::SaveScreenshot(*window, "page-skin-validate");

    TfrmBMPEdit colours(problemOf("BmpColors"), AppSettings(), dialogs, window.get());
    save(colours, "skin-validate-colour-editor");
    TfrmCMXEdit characterFile(problemOf("MissingSKN"), GameSkinCatalogue(), AppSettings(), dialogs, window.get());
    save(characterFile, "skin-validate-character-file-editor");
}

}  // namespace
}  // namespace corvane
