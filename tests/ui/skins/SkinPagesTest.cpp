#include "skins/ui/THandsPage.h"
#include "skins/ui/TSkinPage.h"
#include "skins/ui/TSkinSelectPanel.h"

#include "demo/GameBuilder.h"
#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/AtomicFile.h"
#include "platform/BmpCodec.h"
#include "support/ui/DemoEditorTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace corvane {
namespace {

std::vector<std::string> itemsOf(const QComboBox* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i).toStdString());
    return items;
}

std::vector<std::string> itemsOf(const QListWidget* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
    return items;
}

std::string picture(int side, std::uint8_t shade) {
    const auto bytes = EncodeBmp24(Bitmap(side, side, Rgb{shade, shade, shade}));
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A character file without bone lines: every check passes it, and it dresses nothing.
constexpr const char* kPlainCharacterFile = "version 300\r\n0\r\n0\r\n";

// The demo editor at level 7 with a few skins of its own beside the demo's
// wardrobe; the files a test needs are written before the editor starts.
class SkinPagesTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        addSkins(builder);
        DemoEditorTest::SetUp();
    }
    virtual void addSkins(GameBuilder&) {}

    TSkinSelectPanel& panel() const { return window->skinPanel(); }
    TSkinPage* outfitPage(PageKind kind) const { return static_cast<TSkinPage*>(window->page(kind)); }
    THandsPage* handsPage() const { return static_cast<THandsPage*>(window->page(PageKind::Hands)); }
    std::filesystem::path trashFiles() const { return folder.path() / "data" / "Trash" / "files"; }

    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
    GameBuilder builder{game};
};

TEST_F(SkinPagesTest, TheBodyPageListsWhatFitsWithPicturesAndStoresNothingOnShow) {
    Sim& victor = open("User00001", "btnNormal");
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(itemsOf(panel().cbMesh), (std::vector<std::string>{"B001MAFit_01", "b002mafit_01"}))
        << "the loose mesh and the archived spare, in the order of their names";
    EXPECT_EQ(panel().meshText(), "B001MAFit_01");
    EXPECT_EQ(itemsOf(panel().lbTexture), (std::vector<std::string>{"B001MAFitlgt_casual"}));
    EXPECT_EQ(panel().selectedTexture(), "B001MAFitlgt_casual");
    ASSERT_EQ(panel().imgListSkins.size(), 1u);
    EXPECT_EQ(panel().imgListSkins[0].width(), 40);
    EXPECT_EQ(outfitPage(PageKind::Normal)->imgSlot->pixmap().width(), 128);
    EXPECT_TRUE(panel().btnDeleteTexture->isEnabled()) << "a loose texture can be deleted";
    EXPECT_FALSE(panel().btnDeleteMesh->isEnabled()) << "not while it has textures";
    EXPECT_FALSE(victor.Modified) << "what he wears is what the page selects";

    panel().cbMesh->setCurrentIndex(1);
    EXPECT_EQ(itemsOf(panel().lbTexture), (std::vector<std::string>{"b002mafitlgt_sporty"}));
    EXPECT_EQ(victor.BodyMesh, "b002mafit_01");
    EXPECT_EQ(victor.BodyTexture, "b002mafitlgt_sporty");
    EXPECT_TRUE(victor.Modified);
    EXPECT_FALSE(panel().btnDeleteTexture->isEnabled()) << "an archived texture cannot be deleted";

    window->Undo();
    EXPECT_EQ(victor.BodyMesh, "b001mafit_01") << "as his file names it";
    EXPECT_EQ(victor.BodyTexture, "b001mafitlgt_casual");
    EXPECT_FALSE(victor.Modified);
    EXPECT_EQ(panel().meshText(), "B001MAFit_01") << "the panel shows the record undone";
}

TEST_F(SkinPagesTest, PickingTheSameTextureAgainStoresNothing) {
    Sim& victor = open("User00001", "btnNormal");
    outfitPage(PageKind::Normal)->lbTextureClick();
    outfitPage(PageKind::Normal)->lbTextureClick();
    EXPECT_FALSE(victor.Modified);
    EXPECT_FALSE(window->document().canUndo());
}

TEST_F(SkinPagesTest, AStoredMeshThatIsNotInstalledGetsARandomOneButNeverTheLastOfTwo) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        Sim& victor = select("User00001");
        victor.BodyMesh = "b099mafit_01";
        window->document().seedRandom(seed);
        window->pageButton("btnNormal")->click();
        window->pageButton("btnHead")->click();
        EXPECT_EQ(victor.BodyMesh, "B001MAFit_01") << "seed " << seed;
        EXPECT_EQ(victor.BodyTexture, "b001mafitlgt_casual") << "the same texture in another case stays as it was";
        EXPECT_TRUE(victor.Modified);
    }
}

class SkinCopiesTest : public SkinPagesTest {
protected:
    void addSkins(GameBuilder& skins) override {
        // A loose copy of the archived spare body, and a head of the kind the game keeps for itself.
        skins.writeText("ExpansionShared/Skins/b002mafit_01.cmx", kPlainCharacterFile);
        skins.writeText("GameData/Skins/c2a1ma_bob.cmx", kPlainCharacterFile);
    }
};

TEST_F(SkinCopiesTest, AMeshFoundTwiceIsListedOnceAndC2aNamesNever) {
    open("User00001", "btnNormal");
    EXPECT_EQ(itemsOf(panel().cbMesh), (std::vector<std::string>{"B001MAFit_01", "b002mafit_01"}));
    window->pageButton("btnHead")->click();
    EXPECT_EQ(itemsOf(panel().cbMesh), (std::vector<std::string>{"c001ma_bob"}));
}

class LooseMeshTest : public SkinPagesTest {
protected:
    void addSkins(GameBuilder& skins) override {
        skins.writeText("GameData/Skins/b003mafit_01.cmx", kPlainCharacterFile);
        skins.writeText("GameData/Skins/b003mafitlgt_plain.bmp", picture(16, 90));
        skins.writeText("GameData/Skins/b004mafit_01.cmx", kPlainCharacterFile);
        skins.writeText("GameData/Skins/b004mafitlgt_broken.bmp", "not a picture");
        skins.writeText("GameData/Skins/hmlo_ring.cmx", kPlainCharacterFile);
    }
};

TEST_F(LooseMeshTest, AOneEntryListWhosePictureCannotBeMadeShowsThePlaceholderAndDressesNothing) {
    Sim& victor = open("User00001", "btnNormal");
    dialogs.answer(mrOk);
    panel().cbMesh->setCurrentIndex(3);
    ASSERT_EQ(panel().meshText(), "b004mafit_01");
    EXPECT_EQ(itemsOf(panel().lbTexture), (std::vector<std::string>{"b004mafitlgt_broken"}));
    ASSERT_EQ(panel().imgListSkins.size(), 1u);
    EXPECT_FALSE(panel().imgListSkins[0].isNull()) << "the placeholder";
    EXPECT_LE(panel().imgListSkins[0].width(), 40);
    EXPECT_EQ(victor.BodyTexture, "b001mafitlgt_casual") << "a texture that cannot be shown is not worn";
    ASSERT_EQ(dialogs.messages().size(), 1u) << "the damaged file is named";
    EXPECT_NE(dialogs.messageTexts()[0].find("b004mafitlgt_broken.bmp"), std::string::npos);
}

TEST_F(LooseMeshTest, DeletingTheLastTextureOfAMeshGoesToTheTrashAndListsTheFirstMesh) {
    Sim& victor = open("User00001", "btnNormal");
    panel().cbMesh->setCurrentIndex(2);
    ASSERT_EQ(victor.BodyTexture, "b003mafitlgt_plain");
    ASSERT_TRUE(panel().btnDeleteTexture->isEnabled());

    dialogs.answer(mrNo);
    panel().btnDeleteTexture->click();
    EXPECT_TRUE(std::filesystem::exists(game / "GameData/Skins/b003mafitlgt_plain.bmp")) << "No deletes nothing";
    EXPECT_EQ(itemsOf(panel().lbTexture), (std::vector<std::string>{"b003mafitlgt_plain"}));

    dialogs.forgetShown();
    dialogs.answer(mrYes).answer(mrOk);
    panel().btnDeleteTexture->click();
    EXPECT_FALSE(std::filesystem::exists(game / "GameData/Skins/b003mafitlgt_plain.bmp"));
    EXPECT_TRUE(std::filesystem::exists(trashFiles() / "b003mafitlgt_plain.bmp"));
    EXPECT_EQ(panel().meshText(), "B001MAFit_01") << "the page's first mesh is listed again";
    EXPECT_EQ(victor.BodyTexture, "B001MAFitlgt_casual");
    const auto texts = dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find(LangStr(8077)), std::string::npos);
    EXPECT_NE(texts[0].find("b003mafitlgt_plain.bmp\""), std::string::npos);
    EXPECT_EQ(texts[1], LangStr(7164) + " \"" + LangStr(5044) + "\" && \"" + LangStr(5056) + "\" " + LangStr(7165));

    dialogs.forgetShown();
    panel().cbMesh->setCurrentIndex(2);
    EXPECT_EQ(panel().textureCount(), 0);
    EXPECT_TRUE(panel().btnDeleteMesh->isEnabled()) << "a loose mesh without textures";
}

TEST_F(LooseMeshTest, TheHandsPageMarksTheOpenLeftHandAndChecksFourLetters) {
    open("User00001", "btnHands");
    THandsPage* page = handsPage();
    EXPECT_TRUE(page->hands[0].panel->isHidden()) << "no formal row at level 7";
    for (std::size_t i = 0; i < page->hands.size(); ++i) {
        EXPECT_EQ(page->hands[i].marker->isVisible(), i == 2) << i;
    }
    EXPECT_EQ(page->hands[2].picture->pixmap().width(), 32);
    EXPECT_EQ(itemsOf(panel().cbMesh), (std::vector<std::string>{"hmlo", "hmlo_ring"}));
    EXPECT_TRUE(page->handMarkers().open);

    page->imgCloseRHandClick();
    EXPECT_TRUE(page->hands[7].marker->isVisible());
    EXPECT_FALSE(page->hands[2].marker->isVisible());
    const HandMarkers markers = page->handMarkers();
    EXPECT_TRUE(markers.closed);
    EXPECT_FALSE(markers.open);

    window->pageButton("btnNormal")->click();
    EXPECT_FALSE(page->hands[7].marker->isVisible()) << "a page change rests the markers";
}

TEST_F(SkinPagesTest, BelowLevelThreeTheFormalHandsAreShownAndMarked) {
    select("User00001");
    AppSettings().ExpansionLevel = 2;
    window->document().setExpansionLevel(2);
    window->pageButton("btnHands")->click();
    THandsPage* page = handsPage();
    EXPECT_FALSE(page->hands[0].panel->isHidden());
    page->imgFormalLHandClick();
    EXPECT_TRUE(page->handMarkers().formal);
}

TEST_F(SkinPagesTest, AChildsEmptyFormalPageSaysWhy) {
    dialogs.answer(mrOk);
    open("User00003", "btnFormal");
    EXPECT_EQ(panel().cbMesh->count(), 0);
    EXPECT_EQ(dialogs.messageTexts(),
              (std::vector<std::string>{LangStr(7079) + LangStr(7055) + LangStr(7056) + "\r\n\r\n"}));
}

TEST_F(SkinPagesTest, BeforeSleepwearThePajamaPageExplainsTheGamesRule) {
    select("User00001");
    AppSettings().ExpansionLevel = 2;
    window->document().setExpansionLevel(2);
    dialogs.answer(mrOk);
    window->pageButton("btnPajamas")->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const std::string text = dialogs.messageTexts()[0];
    EXPECT_EQ(text.rfind(LangStr(7061) + "b001mafitlgt_casual\"", 0), 0u) << text;
    EXPECT_NE(text.find(LangStr(7160) + "Pajamamlgt_01.bmp\""), std::string::npos) << "no matching pajamas installed";
    EXPECT_NE(text.find(LangStr(7041) + "Pajamamlgt_casual.bmp\""), std::string::npos);
}

TEST_F(SkinPagesTest, ANewHeadTextureRenewsTheCharactersPictures) {
    builder.writeFile("GameData/Skins/c001malgt_ann.bmp",
                      EncodeBmp24(Bitmap(64, 64, Rgb{200, 150, 120})));
    Sim& victor = open("User00001", "btnHead");
    const auto images = CharacterImageFile(ApplicationFolder(), "User00001");
    EXPECT_FALSE(std::filesystem::exists(images));
    ASSERT_EQ(itemsOf(panel().lbTexture), (std::vector<std::string>{"c001malgt_ann", "c001malgt_bob"}));
    panel().lbTexture->setCurrentRow(0);
    EXPECT_EQ(victor.HeadTexture, "c001malgt_ann");
    EXPECT_TRUE(victor.ResetThumbnail);
    EXPECT_TRUE(std::filesystem::exists(images)) << "the pictures wait for the save";
    const std::string bytes = ReadTextFile(images);
    EXPECT_TRUE(ThumbnailOfCharacterImages(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())));
}

TEST_F(SkinPagesTest, TheBlurBoxesStartFromTheFilesAndWriteOrTrashThemWhenChanged) {
    const auto adult = game / "GameData/Skins/Adult.cmx";
    EXPECT_TRUE(window->ckBlurAdult->isChecked()) << "no censor override installed";
    EXPECT_FALSE(std::filesystem::exists(adult)) << "setting the boxes at start writes nothing";
    window->ckBlurAdult->click();
    ASSERT_TRUE(std::filesystem::exists(adult));
    EXPECT_NE(ReadTextFile(adult).find("adult-needs"), std::string::npos);
    window->ckBlurAdult->click();
    EXPECT_FALSE(std::filesystem::exists(adult));
    EXPECT_TRUE(std::filesystem::exists(trashFiles() / "Adult.cmx"));
    window->ckBlurCat->click();
    EXPECT_TRUE(std::filesystem::exists(game / "GameData/Skins/kat-censor.cmx"));
}

class InstalledCensorTest : public SkinPagesTest {
protected:
    void addSkins(GameBuilder& skins) override { skins.writeText("GameData/Skins/dog-censor.cmx", "mine"); }
};

TEST_F(InstalledCensorTest, StartUpUnchecksTheBoxOfAnInstalledOverrideAndLeavesItAlone) {
    EXPECT_FALSE(window->ckBlurDog->isChecked());
    EXPECT_TRUE(window->ckBlurCat->isChecked());
    EXPECT_EQ(ReadTextFile(game / "GameData/Skins/dog-censor.cmx"), "mine");
}

}  // namespace
}  // namespace corvane
