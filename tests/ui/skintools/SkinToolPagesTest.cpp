// The import, export and CMX builder pages on the demo installation, through
// their widgets, with scripted answers.

#include "demo/SkinFileWriters.h"
#include "platform/AppFolder.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "platform/TextLines.h"
#include "skintools/ui/TCMXBuilderPage.h"
#include "skintools/ui/TExportPage.h"
#include "skintools/ui/TImportPage.h"
#include "support/ui/DemoEditorTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A bitmap of `width` × `height` with `depth` bits per pixel: 8 (a palette) or 24.
std::vector<std::uint8_t> bitmapBytes(int width, int height, int depth) {
    if (depth == 8) {
        std::vector<Rgb> palette(256);
        for (int i = 0; i < 256; ++i) palette[i] = {static_cast<std::uint8_t>(i), 40, 90};
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i * 7);
        return EncodeBmp8(Bitmap::fromIndices(width, height, palette, indices));
    }
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.set(x, y, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200});
    }
    return EncodeBmp24(picture);
}

class SkinToolPagesTest : public test::DemoEditorTest {
protected:
    fs::path skins() const { return game / "GameData" / "Skins"; }
    fs::path writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const fs::path file = folder.path() / "work" / name;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    static QStringList itemsOf(const QComboBox* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }
    // Types into a field as the user does, one key at a time.
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        QTest::keyClicks(field, text);
    }

    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
};

TEST_F(SkinToolPagesTest, ImportingABitmapAsABodyTexture) {
    window->pageButton("btnImport")->click();
    auto* page = static_cast<TImportPage*>(window->page(PageKind::Import));
    EXPECT_EQ(page->cbImpSkinType->currentText().toStdString(), LangStr(6116)) << "body";
    EXPECT_EQ(page->cbImpBodySize->currentIndex(), 1);
    EXPECT_EQ(page->cbImpSkinColor->currentIndex(), 1);
    EXPECT_EQ(page->edtImpName->text().toStdString(), LangStr(6122));
    // The loose character file and the one in the demo's archive.
    EXPECT_EQ(itemsOf(page->cbImpMesh), (QStringList{"B001MAFit_01", "b002mafit_01"}));
    EXPECT_EQ(page->cbImpMesh->currentIndex(), 0);
    EXPECT_FALSE(page->btnImportFile->isEnabled()) << "no bitmap yet";

    // A 24-bit 128 × 128 bitmap is larger than an 8-bit one: the correction is offered (No).
    const fs::path large = writeFile("large.bmp", bitmapBytes(128, 128, 24));
    dialogs.answerFile(large).answer(mrNo);
    page->btnChooseBMP->click();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(page->ImportFile.empty()) << "a refused bitmap is not the one to import";
    EXPECT_FALSE(page->btnImportFile->isEnabled());

    // 256 × 200 is no texture's size.
    dialogs.forgetShown();
    dialogs.answerFile(writeFile("wide.bmp", bitmapBytes(256, 200, 8))).answer(mrOk);
    page->btnChooseBMP->click();
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    EXPECT_NE(dialogs.messageTexts()[0].find("256 X 200)"), std::string::npos) << dialogs.messageTexts()[0];

    // A blank typed into the name goes again, with 7140.
    dialogs.forgetShown();
    page->edtImpName->clear();
    dialogs.answer(mrOk);
    type(page->edtImpName, "Red Dress");
    EXPECT_EQ(page->edtImpName->text(), "RedDress");
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7140)});

    // An 8-bit 128 × 128 bitmap is taken, and named for the mesh and choices.
    const std::vector<std::uint8_t> accepted = bitmapBytes(128, 128, 8);
    const fs::path bitmap = writeFile("dress.bmp", accepted);
    dialogs.forgetShown();
    dialogs.answerFile(bitmap);
    page->btnChooseBMP->click();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(page->ImportFile, bitmap);
    EXPECT_EQ(page->lblNewName->text(), "B001MAFitmed_RedDress.bmp");
    EXPECT_EQ(page->lblDisplayName->text().toStdString(), LangStr(6133));
    ASSERT_TRUE(page->btnImportFile->isEnabled());

    // The dark colour renames it; the confirmation (OK) imports it, the source stays (No).
    page->cbImpSkinColor->setCurrentIndex(2);
    EXPECT_EQ(page->lblNewName->text(), "B001MAFitdrk_RedDress.bmp");
    dialogs.answer(mrOk).answer(mrNo);
    page->btnImportFile->click();
    EXPECT_EQ(ReadFileBytes(skins() / "B001MAFitdrk_RedDress.bmp"), accepted);
    EXPECT_TRUE(fs::exists(bitmap));
    EXPECT_TRUE(dialogs.allAnswersUsed());

    // Importing again asks to replace it; No leaves both files alone.
    dialogs.forgetShown();
    const std::vector<std::uint8_t> other = bitmapBytes(64, 64, 8);
    page->CheckImportBitmap(writeFile("dress2.bmp", other), BitmapDecoding::AsIs);  // as a drop on the preview
    ASSERT_TRUE(page->btnImportFile->isEnabled());
    dialogs.answer(mrNo);
    page->btnImportFile->click();
    EXPECT_EQ(ReadFileBytes(skins() / "B001MAFitdrk_RedDress.bmp"), accepted);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(SkinToolPagesTest, TheImportListsFollowTheKind) {
    window->pageButton("btnImport")->click();
    auto* page = static_cast<TImportPage*>(window->page(PageKind::Import));
    page->cbImpSkinType->setCurrentIndex(page->cbImpSkinType->findText(QString::fromStdString(LangStr(4025))));
    EXPECT_TRUE(page->cbImpHand->isVisibleTo(page));
    EXPECT_FALSE(page->cbImpBodySize->isVisibleTo(page));
    EXPECT_EQ(page->cbImpGender->count(), 3) << "hands have the unisex item";
    EXPECT_EQ(itemsOf(page->cbImpMesh), QStringList{"hmlo"});
    page->cbImpSkinType->setCurrentIndex(page->cbImpSkinType->findText(QString::fromStdString(LangStr(6056))));
    EXPECT_FALSE(page->cbImpHand->isVisibleTo(page));
    EXPECT_EQ(page->cbImpGender->count(), 2);
    EXPECT_EQ(itemsOf(page->cbImpMesh), QStringList{"c001ma_bob"});
}

TEST_F(SkinToolPagesTest, ExportingASkinForAnotherBody) {
    window->pageButton("btnExport")->click();
    auto* page = static_cast<TExportPage*>(window->page(PageKind::Export));
    EXPECT_EQ(itemsOf(page->cbExpMesh), (QStringList{"B001MAFit_01", "b002mafit_01"}));
    ASSERT_EQ(page->cbExpMesh->currentIndex(), 0);
    ASSERT_EQ(page->lbExpTexture->count(), 1);
    EXPECT_EQ(page->lbExpTexture->item(0)->text(), "b001mafitmed_casual");
    EXPECT_FALSE(page->lbExpTexture->item(0)->icon().isNull()) << "each texture has its picture";
    EXPECT_EQ(page->edtExpName->text(), "casual");
    EXPECT_EQ(page->edtExpSeries->text(), "001");
    EXPECT_EQ(page->cbExpBodySizeDst->currentIndex(), 1) << "the destination starts as the source";
    EXPECT_EQ(page->lblNewName->text(), "B001MAFit_casual.cmx");

    page->cbExpGenderDst->setCurrentIndex(1);
    page->cbExpBodySizeDst->setCurrentIndex(2);
    page->cbExpSkinColorDst->setCurrentIndex(0);
    page->edtExpName->setText("");
    type(page->edtExpName, "Red");
    EXPECT_EQ(page->lblNewName->text(), "B001FAFat_Red.cmx");
    EXPECT_EQ(page->lblNewName2->text(), "B001FAFatlgt_Red.bmp");

    // Choosing the texture again, with the keys, takes its name again.
    page->lbExpTexture->setCurrentRow(-1);
    page->lbExpTexture->setCurrentRow(0);
    EXPECT_EQ(page->edtExpName->text(), "casual");
    page->edtExpName->setText("");
    type(page->edtExpName, "Red");

    // A letter in the series counts as 0.
    page->edtExpSeries->setText("");
    type(page->edtExpSeries, "1x7");
    EXPECT_EQ(page->edtExpSeries->text(), "107");
    EXPECT_EQ(page->lblNewName->text(), "B107FAFat_Red.cmx");

    dialogs.answer(mrOk).answer(mrOk);  // "… was written into the game", twice
    page->btnExportFile->click();
    EXPECT_TRUE(dialogs.allAnswersUsed());
    const std::vector<std::string> lines = ReadTextFileLines(skins() / "B107FAFat_Red.cmx");
    const std::vector<std::string> source = ReadTextFileLines(skins() / "B001MAFit_01.cmx");
    ASSERT_EQ(lines.size(), source.size());
    int changed = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == source[i]) continue;
        ++changed;
        EXPECT_EQ(lines[i], "b107fafat_red") << "only the suit name changes, line " << i;
    }
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(ReadFileBytes(skins() / "B107FAFatlgt_Red.bmp"), ReadFileBytes(skins() / "b001mafitmed_casual.bmp"));
}

// The rule the command line shares: a pet's skin stays that pet's kind, a person's a person's.
TEST_F(SkinToolPagesTest, TheExportDestinationKeepsThePetsKindAndThePersonsKind) {
    window->pageButton("btnExport")->click();
    auto* page = static_cast<TExportPage*>(window->page(PageKind::Export));
    const QString dog = QString::fromStdString(LangStr(6123));
    const QString cat = QString::fromStdString(LangStr(6124));
    ASSERT_TRUE(itemsOf(page->cbExpSkinType).contains(dog)) << "the demo has the pets' expansion pack";
    EXPECT_FALSE(itemsOf(page->cbExpSkinTypeDst).contains(dog));
    EXPECT_FALSE(itemsOf(page->cbExpSkinTypeDst).contains(cat));
    page->cbExpSkinType->setCurrentIndex(page->cbExpSkinType->findText(dog));
    EXPECT_EQ(itemsOf(page->cbExpMesh), QStringList{"b001dog_01"});
    EXPECT_EQ(itemsOf(page->cbExpSkinTypeDst), QStringList{dog});
    EXPECT_FALSE(page->cbExpSkinTypeDst->isEnabled());
    EXPECT_EQ(page->lblNewName->text(), "B001dog_brown.cmx");
}

TEST_F(SkinToolPagesTest, BuildingACharacterFileFromMeshes) {
    window->pageButton("btnCMXBuilder")->click();
    auto* page = static_cast<TCMXBuilderPage*>(window->page(PageKind::CMXBuilder));
    EXPECT_FALSE(page->btnSaveCMX->isEnabled()) << "no meshes yet";
    page->edtCMXName->setText("");
    type(page->edtCMXName, "Red");
    page->edtCMXSeries->setText("");
    type(page->edtCMXSeries, "1");
    page->edtCMXSeriesExit();
    EXPECT_EQ(page->edtCMXSeries->text(), "001");

    // An installed mesh from the dialog, and a mesh file without a bone line dropped on the preview.
    dialogs.answerFile(skins() / "xskin-b001mafit_01-PELVIS-BODY.skn");
    page->btnAddCmxSkn->click();
    const fs::path loose = folder.path() / "work" / "xskin-loose-BODY.skn";
    fs::create_directories(loose.parent_path());
    std::ofstream(loose) << "xskin-loose-BODY\nb001mafitmed_casual\n0\n";
    page->fileDropped(loose);
    ASSERT_EQ(page->meshes.size(), 2u);
    EXPECT_EQ(page->meshes[0].Bone, "PELVIS");
    EXPECT_EQ(page->meshes[1].Bone, "NA");
    const QStringList memo = page->memCMXBldr->toPlainText().split('\n');
    ASSERT_GE(memo.size(), 8);
    EXPECT_EQ(memo[4], "B001MAFit_Red");
    EXPECT_EQ(memo[7], "2");
    EXPECT_TRUE(page->btnSaveCMX->isEnabled());

    // Hands, female, right, pointing: no series and no age in the name.
    page->cbCMXSkinType->setCurrentIndex(page->cbCMXSkinType->findText(QString::fromStdString(LangStr(4025))));
    page->cbCMXGender->setCurrentIndex(1);
    page->cbCMXHand->setCurrentIndex(1);
    page->cbCMXHandType->setCurrentIndex(2);
    EXPECT_EQ(page->memCMXBldr->toPlainText().split('\n')[4], "HFRP_Red");
    EXPECT_FALSE(page->edtCMXSeries->isVisibleTo(page));

    // Cleared, and with the installed mesh alone, it saves into the chosen folder.
    page->cbCMXSkinType->setCurrentIndex(page->cbCMXSkinType->findText(QString::fromStdString(LangStr(6116))));
    page->btnClearCmxSknClick();
    EXPECT_FALSE(page->btnSaveCMX->isEnabled());
    dialogs.answerFile(skins() / "xskin-b001mafit_01-PELVIS-BODY.skn");
    page->btnAddCmxSkn->click();
    const fs::path target = folder.path() / "made";
    fs::create_directories(target);
    dialogs.answerFile(target);
    page->btnSaveCMX->click();
    const fs::path saved = target / "B001FAFit_Red.cmx";
    ASSERT_TRUE(fs::exists(saved)) << page->memCMXBldr->toPlainText().toStdString();
    EXPECT_EQ(ReadTextFileLines(saved)[4], "B001FAFit_Red");
    EXPECT_FALSE(fs::exists(ApplicationFolder() / "B001FAFit_Red.cmx")) << "the work file is gone";
}

}  // namespace
}  // namespace corvane
