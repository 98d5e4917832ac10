// The validation page: the check lists the problems of the skin folders, a
// double click repairs or explains one, and the file's rows leave the list.
#include "skintools/ui/TSkinValidatePage.h"

#include "BusyCancelPress.h"
#include "SkinFaults.h"
#include "platform/FileBytes.h"
#include "skintools/EditorBackups.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "support/ui/DemoEditorTest.h"

#include <sys/stat.h>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class SkinValidatePageTest : public test::DemoEditorTest {
protected:
    TSkinValidatePage& page() { return *static_cast<TSkinValidatePage*>(window->page(PageKind::SkinValidate)); }

    // Opens the page, which runs the check.
    void validate() { window->pageButton("btnSkinValidate")->click(); }

    std::vector<std::string> rows() {
        std::vector<std::string> texts;
        for (int row = 0; row < page().lbProblemList->count(); ++row) {
            texts.push_back(page().lbProblemList->item(row)->text().toStdString());
        }
        return texts;
    }
    std::vector<std::string> kinds() {
        std::vector<std::string> found;
        for (const ProblemRecordDetails& problem : page().problems()) found.push_back(problem.Kind);
        return found;
    }
    // The first row of `fileName`; -1 when there is none.
    int rowOf(const std::string& fileName) {
        const std::vector<std::string> texts = rows();
        const auto found = std::find(texts.begin(), texts.end(), fileName);
        return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
    }
    void doubleClick(int row) {
        ASSERT_GE(row, 0);
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
    // The real colour-correction editor, saving or closing as `save` says.
    void useColourEditor(bool save) {
        page().setColourEditor([this, save](const ProblemRecordDetails& problem) {
            TfrmBMPEdit editor(problem, AppSettings(), dialogs, window.get());
            EXPECT_FALSE(editor.imgNew->pixmap().isNull());
            (save ? editor.btnSaveChanges : editor.btnClose)->click();
            return editor.result() == QDialog::Accepted;
        });
    }

    GameBuilder builder{game};
    std::vector<std::string> colourEdited;
    std::vector<std::string> characterFileEdited;
};

// True-colour textures added to the demo are listed, in name order, and
// correcting each in the editor leaves nothing to list.
TEST_F(SkinValidatePageTest, CorrectingEveryTextureInTheEditorLeavesASoundInstallation) {
    for (const char* name : {"b901mafitmed_a.bmp", "b901mafitlgt_a.bmp", "b901mafitdrk_a.bmp"}) {
        test::WriteTrueColourTexture(builder, std::string("GameData/Skins/") + name, 128, 128);
    }
    validate();
    ASSERT_EQ(rows(), (std::vector<std::string>{"b901mafitdrk_a.bmp", "b901mafitlgt_a.bmp", "b901mafitmed_a.bmp"}));
    ASSERT_EQ(kinds(), std::vector<std::string>(rows().size(), "BmpColors"));
    EXPECT_FALSE(page().btnValidate->isHidden());
    EXPECT_EQ(page().lblValidExplain->text().toStdString(),
              LangStr(7109) + " " + LangStr(7110) + " " + LangStr(7111) + " " + LangStr(7112) + " " + LangStr(7113));
    EXPECT_EQ(page().lblSkinValidate->text().toStdString(), LangStr(7114));

    useColourEditor(true);
    const std::size_t found = rows().size();
    for (std::size_t i = 0; i < found && page().lbProblemList->count() > 0; ++i) {
        dialogs.answer(mrOk);  // saved
        doubleClick(0);
    }
    EXPECT_EQ(page().lbProblemList->count(), 0);
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>(found, LangStr(7156)));

    dialogs.forgetShown();
    dialogs.answer(mrOk);
    page().btnValidate->click();
    EXPECT_EQ(page().lbProblemList->count(), 0);
    EXPECT_TRUE(page().btnValidate->isHidden()) << "nothing to validate again";
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, LangStr(7117));
    EXPECT_EQ(dialogs.messages()[0].caption, LangStr(5022));
}

TEST_F(SkinValidatePageTest, CharacterFileProblemsAreListedBeforeTexturesWhichFollowTheirListing) {
    dialogs.answer(mrOk);
    validate();
    EXPECT_EQ(page().lbProblemList->count(), 0) << "the demo installation is sound";
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7117)});
    EXPECT_TRUE(page().btnValidate->isHidden());

    test::SeedSkinFaults(builder);
    dialogs.forgetShown();
    for (int check = 0; check < 2; ++check) {
        SCOPED_TRACE(check);
        // Checked twice: the old rows are not kept beside the new.
        page().btnValidate->click();
        EXPECT_TRUE(dialogs.messages().empty()) << "problems found: no message";
        EXPECT_EQ(rows(), (std::vector<std::string>{"b901mafit_new.cmx", "b902mafit_01.cmx", "b902mafit_01.cmx",
                                                    "b901mafitlgt_a.bmp", "b901mafitlgt_b.bmp"}))
            << "the textures follow in name order";
        EXPECT_EQ(kinds(),
                  (std::vector<std::string>{"BadName", "BadName", "MissingSKN", "BmpColors", "BmpDimensions"}));
    }
    EXPECT_FALSE(page().btnValidate->isHidden());
    for (QGroupBox* box : page().groups()) EXPECT_TRUE(box->isEnabled()) << "the pages are unlocked again";
}

// A folder linked into the fallback folders is the same folder, and a FIFO
// named as a texture would block the check in its open for ever.
TEST_F(SkinValidatePageTest, ALinkedFolderListsItsProblemsOnceAndAFifoIsSkippedWithANote) {
    test::WriteTrueColourTexture(builder, "GameData/Skins/b901mafitlgt_a.bmp", 128, 128);
    fs::create_directories(game / "GameData" / "Textures");
    fs::create_directory_symlink("../Skins", game / "GameData" / "Textures" / "again");
    const fs::path fifo = game / "GameData" / "Skins" / "b901mafitlgt_fifo.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    dialogs.answer(mrOk);
    validate();
    EXPECT_EQ(rows(), std::vector<std::string>{"b901mafitlgt_a.bmp"});
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, LangStr(7260) + "\n" + fifo.string() + " (" + LangStr(7261) + ")");
    EXPECT_EQ(dialogs.messages()[0].caption, LangStr(5022));
}

TEST_F(SkinValidatePageTest, ADimensionsProblemIsOnlyExplainedAndStays) {
    const test::SeededFaults faults = test::SeedSkinFaults(builder);
    validate();
    recordEditors();
    const std::size_t before = rows().size();
    dialogs.answer(mrOk);
    doubleClick(rowOf("b901mafitlgt_b.bmp"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              faults.dimensions.string() + "\r\n\r\n100 X 100\r\n\r\nDimensions are incorrect.");
    EXPECT_EQ(dialogs.messages()[0].caption, LangStr(5022));
    EXPECT_EQ(rows().size(), before);
    EXPECT_GE(rowOf("b901mafitlgt_b.bmp"), 0);
    EXPECT_TRUE(colourEdited.empty());
    EXPECT_TRUE(characterFileEdited.empty());
}

TEST_F(SkinValidatePageTest, EachKindOpensItsEditorAndTheFilesRowsLeaveWhateverItsResult) {
    test::SeedSkinFaults(builder);
    validate();
    recordEditors();
    const std::size_t before = rows().size();
    doubleClick(2);  // the mesh problem of b902mafit_01.cmx
    EXPECT_EQ(characterFileEdited, std::vector<std::string>{"b902mafit_01.cmx"});
    EXPECT_EQ(rowOf("b902mafit_01.cmx"), -1) << "both problems of the file leave";
    EXPECT_EQ(rows().size(), before - 2);
    EXPECT_EQ(page().problems().size(), before - 2);
    doubleClick(rowOf("b901mafitlgt_a.bmp"));
    EXPECT_EQ(colourEdited, std::vector<std::string>{"b901mafitlgt_a.bmp"});
    EXPECT_EQ(rowOf("b901mafitlgt_a.bmp"), -1);
    doubleClick(0);
    EXPECT_EQ(characterFileEdited.back(), "b901mafit_new.cmx");
    EXPECT_EQ(rowOf("b901mafit_new.cmx"), -1);
    EXPECT_EQ(rows().size(), before - 4);
    EXPECT_GE(rowOf("b901mafitlgt_b.bmp"), 0);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SkinValidatePageTest, CancellingTheColourEditorLeavesTheTextureButRemovesItsRow) {
    const test::SeededFaults faults = test::SeedSkinFaults(builder);
    validate();
    const std::vector<std::uint8_t> before = ReadFileBytes(faults.colours);
    const std::size_t rowsBefore = rows().size();
    useColourEditor(false);
    doubleClick(rowOf("b901mafitlgt_a.bmp"));
    EXPECT_EQ(ReadFileBytes(faults.colours), before);
    EXPECT_EQ(rowOf("b901mafitlgt_a.bmp"), -1);
    EXPECT_EQ(rows().size(), rowsBefore - 1);
    EXPECT_FALSE(fs::exists(TextureBackupFolder()));
}

TEST_F(SkinValidatePageTest, AnUnreadableArchiveIsReportedBesideTheFindings) {
    // A kilobyte at least, or the catalogue passes it over.
    builder.writeText("Deluxe/Deluxe.far", std::string(2000, 'x'));
    test::SeedSkinFaults(builder);
    dialogs.answer(mrOk);
    validate();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const std::string& text = dialogs.messages()[0].text;
    EXPECT_EQ(text.rfind(LangStr(7093), 0), 0u) << text;
    EXPECT_NE(text.find("Deluxe.far"), std::string::npos) << "the archive is named: " << text;
    EXPECT_EQ(dialogs.messages()[0].kind, MsgKind::Warning);
    EXPECT_GE(rowOf("b901mafitlgt_a.bmp"), 0) << "what was found is still listed";
}

TEST_F(SkinValidatePageTest, CancelDuringTheTexturesKeepsTheCharacterFileProblemsFound) {
    test::SeedSkinFaults(builder);
    const test::BusyCancelPress press(QString::fromStdString(LangStr(7116)));
    validate();
    EXPECT_TRUE(press.pressed());
    EXPECT_EQ(rows(), (std::vector<std::string>{"b901mafit_new.cmx", "b902mafit_01.cmx", "b902mafit_01.cmx"}))
        << "the character files were checked; no texture was begun";
    EXPECT_EQ(kinds(), (std::vector<std::string>{"BadName", "BadName", "MissingSKN"}));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(page().btnValidate->isHidden());
    EXPECT_FALSE(window->pagesLocked());
}

TEST_F(SkinValidatePageTest, CancelBeforeAnyFindingSaysNothing) {
    const test::BusyCancelPress press(QString::fromStdString(LangStr(7115)));
    validate();
    EXPECT_TRUE(press.pressed());
    EXPECT_EQ(page().lbProblemList->count(), 0);
    EXPECT_TRUE(dialogs.messages().empty()) << "a stopped check cannot say that no problems were found";
    EXPECT_TRUE(page().btnValidate->isHidden());
}

TEST_F(SkinValidatePageTest, AnotherPageLetsTheProblemsGo) {
    test::SeedSkinFaults(builder);
    validate();
    ASSERT_GT(rows().size(), 0u);
    window->pageButton("btnNeighborhood")->click();
    EXPECT_EQ(page().lbProblemList->count(), 0);
    EXPECT_TRUE(page().problems().empty());
}

}  // namespace
}  // namespace corvane
