// The import page's offer of the colour correction: a bitmap too large for
// the game is corrected in the editor, and the corrected form is imported
// while the chosen file stays as it was.
#include "skintools/ui/TImportPage.h"

#include "SkinFaults.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "skintools/EditorBackups.h"
#include "skintools/ui/TDropFrame.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "support/ui/DemoEditorTest.h"

#include <QCheckBox>
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

    // The page's own editor, saving or closing as `save` says.
    void useEditor(bool save) {
        page().setColourEditor([this, save](TfrmBMPEdit& editor) {
            edited = editor.problem();
            backupOffered = editor.ckBackup->isVisibleTo(&editor);
            (save ? editor.btnSaveChanges : editor.btnClose)->click();
        });
    }
    void chooseBitmap() {
        dialogs.answerFile(bitmap);
        page().btnChooseBMP->click();
    }

    GameBuilder builder{game};
    std::filesystem::path bitmap;
    ProblemRecordDetails edited;
    bool backupOffered = true;
};

TEST_F(ImportCorrectionTest, TheCorrectedFormIsImportedAndTheChosenBitmapStaysAsItWas) {
    const std::vector<std::uint8_t> chosen = ReadFileBytes(bitmap);
    useEditor(true);
    dialogs.answer(mrYes).answer(mrOk);
    chooseBitmap();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, LangStr(8067));
    EXPECT_EQ(dialogs.messages()[1].text, LangStr(7156));
    EXPECT_EQ(edited.FileName, "red shirt.bmp");
    EXPECT_EQ(edited.Kind, "Bitmap");
    EXPECT_FALSE(backupOffered) << "nothing of the user's is written, so no backup is offered";
    EXPECT_EQ(ReadFileBytes(bitmap), chosen) << "the chosen bitmap is not rewritten";
    EXPECT_FALSE(std::filesystem::exists(TextureBackupFolder())) << "nor copied aside";
    EXPECT_EQ(page().ImportFile, bitmap);
    EXPECT_EQ(DecodeBmp(page().CorrectedImport).bitDepth, 8);
    EXPECT_FALSE(page().DropFrame->imgImportBMP->isHidden()) << "the frame shows the corrected bitmap";
    ASSERT_TRUE(page().btnImportFile->isEnabled());

    dialogs.forgetShown();
    dialogs.answer(mrOk).answer(mrNo);  // import it; keep the chosen bitmap
    page().btnImportFile->click();
    const std::filesystem::path imported =
        game / "GameData" / "Skins" / page().lblNewName->text().toStdString();
    EXPECT_EQ(ReadFileBytes(imported), page().CorrectedImport);
    EXPECT_EQ(DecodeBmp(ReadFileBytes(imported)).bitDepth, 8);
    EXPECT_EQ(ReadFileBytes(bitmap), chosen);
    EXPECT_TRUE(dialogs.allAnswersUsed());
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
