// The import page's offer of the colour correction: a bitmap too large for
// the game is corrected in the editor and then accepted.
#include "skintools/ui/TImportPage.h"

#include "SkinFaults.h"
#include "platform/FileBytes.h"
#include "skintools/ui/TDropFrame.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "support/ui/DemoEditorTest.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

class ImportCorrectionTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
        window->pageButton("btnImport")->click();
        bitmap = test::WriteTrueColourTexture(builder, "../My Pictures/red shirt.bmp", 128, 128);
    }
    TImportPage& page() { return *static_cast<TImportPage*>(window->page(PageKind::Import)); }

    // The real editor, saving or closing as `save` says.
    void useEditor(bool save) {
        page().setColourEditor([this, save](const ProblemRecordDetails& problem) {
            edited = problem;
            TfrmBMPEdit editor(problem, AppSettings(), dialogs, window.get());
            (save ? editor.btnSaveChanges : editor.btnClose)->click();
            return editor.result() == QDialog::Accepted;
        });
    }
    void chooseBitmap() {
        dialogs.answerFile(bitmap);
        page().btnChooseBMP->click();
    }

    GameBuilder builder{game};
    std::filesystem::path bitmap;
    ProblemRecordDetails edited;
};

TEST_F(ImportCorrectionTest, TakingTheOfferCorrectsTheBitmapAndAcceptsIt) {
    useEditor(true);
    dialogs.answer(mrYes).answer(mrOk);
    chooseBitmap();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, LangStr(8067));
    EXPECT_EQ(dialogs.messages()[1].text, LangStr(7156));
    EXPECT_EQ(edited.FileName, "red shirt.bmp");
    EXPECT_EQ(edited.Kind, "Bitmap");
    EXPECT_EQ(DecodeBmp(ReadFileBytes(bitmap)).bitDepth, 8);
    EXPECT_EQ(page().ImportFile, bitmap);
    EXPECT_FALSE(page().DropFrame->imgImportBMP->isHidden()) << "the frame shows the corrected bitmap";
    EXPECT_TRUE(page().btnImportFile->isEnabled());
}

TEST_F(ImportCorrectionTest, ClosingTheEditorOrDecliningTheOfferAcceptsNothing) {
    useEditor(false);
    dialogs.answer(mrYes);
    chooseBitmap();
    EXPECT_EQ(edited.FileName, "red shirt.bmp");
    EXPECT_TRUE(page().ImportFile.empty());
    EXPECT_TRUE(page().DropFrame->imgImportBMP->isHidden());
    EXPECT_EQ(dialogs.messages().size(), 1u);

    edited = {};
    dialogs.forgetShown();
    dialogs.answer(mrNo);
    chooseBitmap();
    EXPECT_TRUE(edited.FileName.empty()) << "no editor without the offer taken";
    EXPECT_TRUE(page().ImportFile.empty());
    EXPECT_EQ(DecodeBmp(ReadFileBytes(bitmap)).bitDepth, 24);
}

}  // namespace
}  // namespace corvane
