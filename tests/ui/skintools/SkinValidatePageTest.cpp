// The validation page: the check lists the problems of the skin folders, a
// double click repairs or explains one, and the file's rows leave the list.
#include "skintools/ui/TSkinValidatePage.h"

#include "SkinFaults.h"
#include "platform/FileBytes.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "support/ui/DemoEditorTest.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class SkinValidatePageTest : public test::DemoEditorTest {
protected:
    TSkinValidatePage& page() { return *static_cast<TSkinValidatePage*>(window->page(PageKind::SkinValidate)); }

    // Opens the page, which runs the check.
    void validate() { window->pageButton("btnSkinValidate")->click(); }

    QStringList rows() {
        QStringList texts;
        for (int row = 0; row < page().lbProblemList->count(); ++row) texts << page().lbProblemList->item(row)->text();
        return texts;
    }
    std::vector<std::string> kinds() {
        std::vector<std::string> found;
        for (const ProblemRecordDetails& problem : page().problems()) found.push_back(problem.Kind);
        return found;
    }
    void doubleClick(int row) {
        page().lbProblemList->setCurrentRow(row);
        emit page().lbProblemList->itemDoubleClicked(page().lbProblemList->item(row));
    }

    // Editors that only count their calls and close without saving.
    void recordEditors() {
        page().setColourEditor([this](const ProblemRecordDetails& problem) {
            colourEdited.push_back(problem.FileName);
            return false;
        });
        page().setCharacterFileEditor([this](const ProblemRecordDetails& problem) {
            characterFileEdited.push_back(problem.FileName);
            return false;
        });
    }

    GameBuilder builder{game};
    std::vector<std::string> colourEdited;
    std::vector<std::string> characterFileEdited;
};

TEST_F(SkinValidatePageTest, ASoundInstallationHasNoProblems) {
    dialogs.answer(mrOk);
    validate();
    EXPECT_EQ(page().lbProblemList->count(), 0);
    EXPECT_TRUE(page().btnValidate->isHidden()) << "nothing to validate again";
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, LangStr(7117));
    EXPECT_EQ(dialogs.messages()[0].caption, LangStr(5022));
    EXPECT_EQ(page().lblValidExplain->text().toStdString(),
              LangStr(7109) + " " + LangStr(7110) + " " + LangStr(7111) + " " + LangStr(7112) + " " + LangStr(7113));
    EXPECT_EQ(page().lblSkinValidate->text().toStdString(), LangStr(7114));
}

TEST_F(SkinValidatePageTest, CharacterFileProblemsAreListedBeforeTexturesWhichFollowTheirListing) {
    test::SeedSkinFaults(builder);
    validate();
    EXPECT_TRUE(dialogs.messages().empty()) << "problems found: no message";
    EXPECT_EQ(rows(), (QStringList{"b901mafit_new.cmx", "b902mafit_01.cmx", "b902mafit_01.cmx", "b901mafitlgt_a.bmp",
                                   "b901mafitlgt_b.bmp"}));
    EXPECT_EQ(kinds(), (std::vector<std::string>{"BadName", "BadName", "MissingSKN", "BmpColors", "BmpDimensions"}));
    EXPECT_FALSE(page().btnValidate->isHidden());
    for (QGroupBox* box : page().groups()) EXPECT_TRUE(box->isEnabled()) << "the pages are unlocked again";

    // A texture added since is found by the next check, without the old rows twice.
    test::WriteTrueColourTexture(builder, "GameData/Skins/b901mafitlgt_c.bmp", 64, 48);
    page().btnValidate->click();
    EXPECT_EQ(rows().size(), 6);
    EXPECT_EQ(rows().back(), "b901mafitlgt_c.bmp");
}

TEST_F(SkinValidatePageTest, ADimensionsProblemIsOnlyExplainedAndStays) {
    const test::SeededFaults faults = test::SeedSkinFaults(builder);
    validate();
    recordEditors();
    dialogs.answer(mrOk);
    doubleClick(4);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, faults.dimensions.string() + "\r\n\r\n100 X 100\r\n\r\nDimensions are incorrect.");
    EXPECT_EQ(dialogs.messages()[0].caption, LangStr(5022));
    EXPECT_EQ(rows().size(), 5);
    EXPECT_TRUE(colourEdited.empty());
    EXPECT_TRUE(characterFileEdited.empty());
}

TEST_F(SkinValidatePageTest, EachKindOpensItsEditorAndTheFilesRowsLeaveWhateverItsResult) {
    test::SeedSkinFaults(builder);
    validate();
    recordEditors();
    doubleClick(2);  // the mesh problem of b902mafit_01.cmx
    EXPECT_EQ(characterFileEdited, std::vector<std::string>{"b902mafit_01.cmx"});
    EXPECT_EQ(rows(), (QStringList{"b901mafit_new.cmx", "b901mafitlgt_a.bmp", "b901mafitlgt_b.bmp"}))
        << "both problems of the file leave";
    EXPECT_EQ(page().problems().size(), 3u);
    doubleClick(1);
    EXPECT_EQ(colourEdited, std::vector<std::string>{"b901mafitlgt_a.bmp"});
    EXPECT_EQ(rows(), (QStringList{"b901mafit_new.cmx", "b901mafitlgt_b.bmp"}));
    doubleClick(0);
    EXPECT_EQ(characterFileEdited.back(), "b901mafit_new.cmx");
    EXPECT_EQ(rows(), QStringList{"b901mafitlgt_b.bmp"});
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SkinValidatePageTest, CancellingTheColourEditorLeavesTheTextureButRemovesItsRow) {
    const test::SeededFaults faults = test::SeedSkinFaults(builder);
    validate();
    const std::vector<std::uint8_t> before = ReadFileBytes(faults.colours);
    bool shown = false;
    page().setColourEditor([&](const ProblemRecordDetails& problem) {
        TfrmBMPEdit editor(problem, AppSettings(), dialogs, window.get());
        shown = editor.imgNew->pixmap().width() > 0;
        editor.btnClose->click();
        return editor.result() == QDialog::Accepted;
    });
    doubleClick(3);
    EXPECT_TRUE(shown);
    EXPECT_EQ(ReadFileBytes(faults.colours), before);
    EXPECT_FALSE(rows().contains("b901mafitlgt_a.bmp"));
    EXPECT_EQ(rows().size(), 4);
}

TEST_F(SkinValidatePageTest, AnotherPageLetsTheProblemsGo) {
    test::SeedSkinFaults(builder);
    validate();
    ASSERT_EQ(rows().size(), 5);
    window->pageButton("btnNeighborhood")->click();
    EXPECT_EQ(page().lbProblemList->count(), 0);
    EXPECT_TRUE(page().problems().empty());
}

}  // namespace
}  // namespace corvane
