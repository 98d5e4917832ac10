#include "profiles/ui/TCVPsPage.h"

#include "app/ui/TACImage.h"
#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/SystemCalls.h"
#include "profiles/ProfileImport.h"
#include "profiles/ui/TframeCVPPreview.h"
#include "support/EnvOverride.h"
#include "support/ui/Screenshots.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cerrno>
#include <functional>

namespace corvane {
namespace {

// What a test does at each step the page waits in: look, then press Continue
// or Cancel. Steps without a script entry are continued.
using StepAction = std::function<bool(TCVPsPage&)>;  // true: Continue

class CVPsPageTest : public test::DemoEditorTest {
protected:
    TCVPsPage& page() const { return *static_cast<TCVPsPage*>(window->page(PageKind::CVPs)); }
    TCVPsPage& openPage(const std::string& file) {
        open(file, "btnCVPs");
        QObject::connect(&page(), &TCVPsPage::stepWaiting, &page(), [this] {
            TCVPsPage& shown = page();
            const bool goOn = steps.empty() ? true : steps.front()(shown);
            if (!steps.empty()) steps.erase(steps.begin());
            (goOn ? shown.btnCVPContinue : shown.btnCVPCancel)->click();
        }, Qt::QueuedConnection);
        return page();
    }
    std::filesystem::path profile() const { return folder.path() / "victor.cvp"; }
    // Victor's profile as the page exports it, every file kept.
    void exportVictor() {
        openPage("User00001");
        dialogs.answerFile(folder.path() / "victor.bin");  // the extension becomes .cvp
        dialogs.answer(mrOk);                                // "saved"
        page().btnExportCVP->click();
    }

    std::vector<StepAction> steps;
    // Skins the imports replace go to a Trash of the test's own.
    test::EnvOverride dataHome{"XDG_DATA_HOME", (folder.path() / "data").string()};
};

TEST_F(CVPsPageTest, TheExportLeavesOutWhatIsUncheckedAndKeepsCreditsAndRating) {
    openPage("User00001");
    EXPECT_TRUE(page().lblCVPs->isVisible());
    EXPECT_FALSE(page().btnCVPContinue->isVisible());
    int images = 0;
    int characterFiles = 0;
    int meshes = 0;
    steps = {
        [](TCVPsPage&) { return true; },  // the introduction
        [](TCVPsPage&) { return true; },  // "these files go into the profile"
        [&](TCVPsPage& shown) {           // the preview
            images = static_cast<int>(shown.frameCVPPreview->images().size());
            characterFiles = static_cast<int>(shown.frameCVPPreview->cmxFiles().size());
            meshes = static_cast<int>(shown.frameCVPPreview->sknFiles().size());
            shown.frameCVPPreview->images().front().box->setChecked(false);
            return true;
        },
        [](TCVPsPage& shown) {  // credits and rating
            EXPECT_TRUE(shown.rbTeen->isChecked());
            shown.memCVPCredit->setPlainText("Made by\nsomeone");
            shown.rbMature->setChecked(true);
            return true;
        },
    };
    dialogs.answerFile(folder.path() / "victor.bin");
    dialogs.answer(mrOk);
    page().btnExportCVP->click();
    EXPECT_TRUE(steps.empty()) << "every step was shown";
    EXPECT_GT(images, 2) << "his body, head and hand textures";
    EXPECT_GT(characterFiles, 2);
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    EXPECT_EQ(dialogs.messageTexts().front(), LangStr(7063));
    const Profile written = ReadProfile(profile());
    EXPECT_TRUE(written.warning) << "a file was left out";
    EXPECT_EQ(written.rating, "M");
    EXPECT_EQ(written.credits, "Made bysomeone");
    EXPECT_EQ(written.files.size(), static_cast<std::size_t>(images + characterFiles + meshes) - 1)
        << "every file but the unchecked picture";
    EXPECT_TRUE(page().lblCVPs->isVisible()) << "the page is at rest again";
    EXPECT_FALSE(window->document().current()->Modified) << "an export changes nothing";
}

TEST_F(CVPsPageTest, CancelInThePreviewWritesNothing) {
    openPage("User00001");
    steps = {[](TCVPsPage&) { return true; }, [](TCVPsPage&) { return true; }, [](TCVPsPage&) { return false; }};
    dialogs.answerFile(profile());
    page().btnExportCVP->click();
    EXPECT_FALSE(std::filesystem::exists(profile()));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(page().btnExportCVP->isEnabled());

    // A step whose page is put back to rest under it ends as if cancelled.
    steps = {[](TCVPsPage& shown) {
        shown.showPage();
        return true;
    }};
    page().btnExportCVP->click();
    EXPECT_FALSE(std::filesystem::exists(profile()));
    EXPECT_TRUE(page().btnExportCVP->isEnabled());
}

// Victor's profile into Elena: her values become his, his files are asked
// about once ("All"), his pictures wait for her next save.
TEST_F(CVPsPageTest, AnImportCopiesTheValuesInstallsTheFilesAndStagesThePictures) {
    exportVictor();
    ASSERT_TRUE(std::filesystem::exists(profile()));
    EXPECT_EQ(ReadProfile(profile()).rating, "T") << "the rating nobody touched";
    dialogs.forgetShown();
    Sim& elena = select("User00002");
    const auto elenasFile = ReadFileBytes(game / "UserData" / "Characters" / "User00002.iff");
    window->pageButton("btnCVPs")->click();
    dialogs.answerFile(profile());
    dialogs.answer(mrAll);  // the first file already installed: replace it and every other
    dialogs.answer(mrOk);   // "imported"
    int offered = 0;
    steps = {
        [](TCVPsPage&) { return true; },  // import this profile into Elena?
        [](TCVPsPage& shown) {            // credits and rating
            EXPECT_TRUE(shown.memCVPCredit->isVisible());
            return true;
        },
        [&](TCVPsPage& shown) {
            offered = static_cast<int>(shown.frameCVPPreview->images().size() + shown.frameCVPPreview->cmxFiles().size() +
                                       shown.frameCVPPreview->sknFiles().size());
            return true;
        },
    };
    page().btnImportCVP->click();
    EXPECT_TRUE(steps.empty());
    EXPECT_GT(offered, 0);
    EXPECT_EQ(elena.FirstName, "Victor");
    EXPECT_EQ(elena.Gender, 0);
    EXPECT_EQ(elena.BodyMesh, "b001mafit_01");
    EXPECT_EQ(elena.LastName, "Marlow") << "a profile carries no last name";
    EXPECT_TRUE(elena.Modified);
    EXPECT_TRUE(elena.ResetThumbnail);
    EXPECT_TRUE(window->btnSave->isEnabled());
    EXPECT_TRUE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00002")));
    const std::vector<std::string> said = dialogs.messageTexts();
    ASSERT_EQ(said.size(), 2u) << "one overwrite question, then the result";
    EXPECT_EQ(said.back(), LangStr(7072) + "\n");
    EXPECT_EQ(ReadFileBytes(game / "UserData" / "Characters" / "User00002.iff"), elenasFile)
        << "her file is written by the save, not by the import";
    EXPECT_FALSE(std::filesystem::is_empty(folder.path() / "data" / "Trash" / "files")) << "the replaced skins";
    window->Undo();
    EXPECT_EQ(elena.FirstName, "Elena") << "the import is one step of the history";
    EXPECT_FALSE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00002")))
        << "undone, the profile's pictures never reach a save";
}

// A profile whose maker left files out says so first; Cancel at any later
// step leaves the character and the skin folder as they were.
TEST_F(CVPsPageTest, AWarnedProfileAsksFirstAndCancelChangesNothing) {
    openPage("User00001");
    steps = {[](TCVPsPage&) { return true; }, [](TCVPsPage&) { return true; },
             [](TCVPsPage& shown) {
                 shown.frameCVPPreview->cmxFiles().front().box->setChecked(false);
                 return true;
             }};
    dialogs.answerFile(profile());
    dialogs.answer(mrOk);
    page().btnExportCVP->click();
    ASSERT_TRUE(ReadProfile(profile()).warning);
    dialogs.forgetShown();
    Sim& tess = select("User00003");
    window->pageButton("btnCVPs")->click();
    const Sim before = tess;
    const std::filesystem::path skins = game / "GameData" / "Skins";
    const auto skinCount = std::distance(std::filesystem::directory_iterator(skins), {});
    std::string warning;
    steps = {[](TCVPsPage&) { return true; },
             [&](TCVPsPage& shown) {
                 warning = shown.lblCVPMessage->text().toStdString();
                 return true;
             },
             [](TCVPsPage&) { return false; }};  // Cancel at the credits
    dialogs.answerFile(profile());
    page().btnImportCVP->click();
    EXPECT_TRUE(steps.empty());
    EXPECT_NE(warning.find(LangStr(6147)), std::string::npos) << warning;
    EXPECT_EQ(tess.FirstName, before.FirstName);
    EXPECT_FALSE(tess.Modified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(skins), {}), skinCount);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(page().btnImportCVP->isVisible() && page().btnImportCVP->isEnabled()) << "the page is at rest";
}

// A value out of the editor's limits refuses the whole profile after the
// preview: the message names the element and the value, and neither the
// character, nor the skin folder, nor the pictures waiting for a save change.
TEST_F(CVPsPageTest, AValueOutOfRangeIsNamedAndChangesNothing) {
    exportVictor();
    std::string text = ReadTextFile(profile());
    const auto neat = text.find("<Neat dt:dt=\"Int\">");
    ASSERT_NE(neat, std::string::npos);
    const auto value = text.find('>', neat) + 1;
    text.replace(value, text.find('<', value) - value, "99999");
    ReplaceFileAtomically(profile(), text);
    dialogs.forgetShown();
    Sim& elena = select("User00002");
    window->pageButton("btnCVPs")->click();
    const Sim before = elena;
    const std::filesystem::path skins = game / "GameData" / "Skins";
    const auto skinCount = std::distance(std::filesystem::directory_iterator(skins), {});
    dialogs.answerFile(profile());
    dialogs.answer(mrOk);   // the refusal
    page().btnImportCVP->click();
    const std::vector<std::string> said = dialogs.messageTexts();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("the element Neat holds \"99999\""), std::string::npos) << said[0];
    EXPECT_EQ(elena, before);
    EXPECT_FALSE(window->btnSave->isEnabled());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(skins), {}), skinCount);
    EXPECT_FALSE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00002")));
}

// Skins that cannot be installed take the profile's values back with them:
// the character is as it was, with nothing to save.
TEST_F(CVPsPageTest, SkinsThatCannotBeInstalledTakeTheValuesBack) {
    exportVictor();
    dialogs.forgetShown();
    Sim& elena = select("User00002");
    window->pageButton("btnCVPs")->click();
    const Sim before = elena;
    dialogs.answerFile(profile());
    dialogs.answer(mrAll);
    dialogs.answer(mrOk);  // the failure
    // Only the skins' renames fail: the pictures wait for the save as before.
    const sys::CallHook earlier = sys::SetCallHook([](sys::Call call, const std::string& about) {
        return call == sys::Call::Rename && about.find("Skins") != std::string::npos ? EIO : 0;
    });
    page().btnImportCVP->click();
    sys::SetCallHook(earlier);
    const std::vector<std::string> said = dialogs.messageTexts();
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back().rfind(LangStr(7067), 0), 0u) << said.back();
    EXPECT_EQ(elena, before);
    EXPECT_FALSE(window->btnSave->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00002")))
        << "the profile's pictures never reach a save";
}

TEST_F(CVPsPageTest, APersonsProfileDoesNotFitADog) {
    exportVictor();
    dialogs.forgetShown();
    Sim& biscuit = select("User00006");
    window->pageButton("btnCVPs")->click();
    const Sim before = biscuit;
    dialogs.answerFile(profile());
    dialogs.answer(mrOk);
    page().btnImportCVP->click();
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    EXPECT_EQ(dialogs.messageTexts().front(), ProfileKindMismatchText() + "\n");
    EXPECT_EQ(biscuit.FirstName, before.FirstName);
    EXPECT_FALSE(biscuit.Modified);
}

// The preview frame: rows of four pictures, the files below, all checked.
TEST(TframeCVPPreview, LaysItsItemsOutInRowsAndGrowsWithThem) {
    test::QtTestApplication();
    QWidget parent;
    TframeCVPPreview frame(&parent);
    for (int i = 0; i < 41; ++i) frame.addImage(QPixmap(60, 60), QString("t%1.bmp").arg(i), i);
    frame.addCmx("a.cmx", 41);
    frame.addSkn("a.skn", 42);
    EXPECT_EQ(frame.imageCells()[5]->geometry(), QRect(100, 80, 60, 60));
    EXPECT_EQ(frame.imageCells()[40]->geometry().top(), 10 + 70 * 10) << "more than 30 pictures";
    const int lastImageBottom = frame.imageCells()[40]->geometry().bottom() + 1;
    EXPECT_EQ(frame.cmxFiles()[0].box->geometry().top(), lastImageBottom + 10);
    EXPECT_EQ(frame.sknFiles()[0].box->geometry().top(), frame.cmxFiles()[0].box->geometry().bottom() + 1 + 5);
    EXPECT_GT(frame.widget()->height(), frame.sknFiles()[0].box->geometry().bottom()) << "the frame scrolls to the last";
    frame.uncheckAll();
    EXPECT_FALSE(frame.images()[3].box->isChecked());
    EXPECT_FALSE(frame.sknFiles()[0].box->isChecked());
    frame.clearItems();
    EXPECT_TRUE(frame.images().empty());
}

class CVPsPageScreenshots : public test::ScreenshotEditorTest {
protected:
    TCVPsPage& page() const { return *static_cast<TCVPsPage*>(window->page(PageKind::CVPs)); }
    test::EnvOverride dataHome{"XDG_DATA_HOME", (folder.path() / "data").string()};
};

// The export's and the import's previews, for looking at them.
TEST_F(CVPsPageScreenshots, TheExportAndImportPreviews) {
    open("User00001", "btnCVPs");
    test::SaveScreenshot(*window, "cvp-page");
    const std::filesystem::path profile = folder.path() / "victor.cvp";
    int waits = 0;
    QObject::connect(&page(), &TCVPsPage::stepWaiting, &page(), [&] {
        ++waits;
        if (page().frameCVPPreview->isVisible()) {
            test::SaveScreenshot(*window, waits < 5 ? "cvp-export-preview" : "cvp-import-preview");
        }
        page().btnCVPContinue->click();
    }, Qt::QueuedConnection);
    dialogs.answerFile(profile);
    dialogs.answer(mrOk);
    page().btnExportCVP->click();
    select("User00002");
    window->pageButton("btnCVPs")->click();
    dialogs.answerFile(profile);
    dialogs.answer(mrAll);
    dialogs.answer(mrOk);
    page().btnImportCVP->click();
}

}  // namespace
}  // namespace corvane
