#include "TestPaths.h"
#include "app/Settings.h"
#include "app/ui/TfrmAbout.h"
#include "app/ui/TfrmMain.h"
#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "sim/Sim.h"
#include "support/EnvOverride.h"
#include "platform/LanguageModule.h"
#include "platform/ui/QtDialogs.h"
#include "skins/SkinCatalogue.h"
#include "skins/ui/TSkinSelectPanel.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>

namespace corvane {
namespace {

QApplication& app() {
    return test::QtTestApplication();
}

QRect rectOf(const Bounds& b) {
    return {b.left, b.top, b.width, b.height};
}

// A synthetic game with three neighbourhoods, its key in a private registry,
// and the main window started on it.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        AppSettings() = Settings();
        for (const char* name : {"UserData", "UserData2", "UserData3"}) {
            game.neighbourhood(name);
            game.writeText(std::string(name) + "/which.txt", name);
        }
        registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA", game.root().string());
        registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE", "USEnglish");
    }
    void TearDown() override {
        window.reset();
        SetLanguageModule(LanguageModule());
        AppSettings() = Settings();
    }

    TfrmMain& start(int expansionLevel, std::vector<std::string> args = {}) {
        game.installation(expansionLevel);
        window = std::make_unique<TfrmMain>(MainWindowServices{
            dialogs, registry, ParseCommandLine(args), CORVANE_LANG_DIR, [] { return std::string("USEnglish"); }});
        dialogs.answer(mrOk);  // the neighbourhood opened at start-up has no characters
        EXPECT_TRUE(window->FormCreate());
        EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7002)});
        dialogs.forgetShown();
        return *window;
    }
    // Characters arrive with the neighbourhood loading; one entry keeps the
    // button bar usable.
    void addCharacter() { window->cbUserName->addItem("Goth, Bella"); }

    test::TempDir folder;
    GameBuilder game{folder.path() / "The Sims"};
    Registry registry{{std::nullopt, folder.path() / "config"}};
    test::ScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(MainWindowTest, StartsWithTitleNeighbourhoodsAndLocalisedControls) {
    TfrmMain& w = start(7, {"/backcolor", "navy", "/fontcolor", "$00FFFF"});
    EXPECT_EQ(w.size(), QSize(789, 538));
    EXPECT_EQ(w.windowTitle().toStdString(), LangStr(6158) + " - " + LangStr(6159) + " " + "0.1.0  (Build 0)");
    EXPECT_EQ(AppSettings().ExpansionLevel, 7);
    EXPECT_EQ(AppSettings().LanguageNumber, 1);
    ASSERT_EQ(w.cbNeighborhood->count(), 3);
    EXPECT_EQ(w.cbNeighborhood->itemText(2), "03");
    EXPECT_EQ(w.cbNeighborhood->itemData(2).toString(), "UserData3");
    EXPECT_EQ(w.cbNeighborhood->currentIndex(), 0);

    EXPECT_EQ(w.btnSave->text().toStdString(), LangStr(5007));
    EXPECT_EQ(w.pageButton("btnHouseJob")->text().toStdString(), LangStr(4001) + "/" + LangStr(4003));
    EXPECT_EQ(w.cbNeighborhood->toolTip().toStdString(), LangStr(3001));
    EXPECT_TRUE(w.pageGroup("grpSkills")->title().isEmpty());

    // Window colours: navy background, yellow text; combo boxes two points larger.
    EXPECT_EQ(w.grpSelect->palette().color(QPalette::Active, QPalette::Window), QColor(0, 0, 0x80));
    EXPECT_EQ(w.grpSelect->palette().color(QPalette::Active, QPalette::WindowText), QColor(0xFF, 0xFF, 0));
    EXPECT_EQ(w.ckOpenCurNBGD->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 0x80)) << "check boxes hide their text";
    EXPECT_EQ(w.cbNeighborhood->font().pointSize(), 12) << "the header lists are four points larger";
    EXPECT_EQ(w.findChild<QComboBox*>("cbHauntAddress")->font().pointSize(), 10);
    EXPECT_EQ(w.findChild<QComboBox*>("cbHauntAddress")->count(), 0) << "no haunted-house list at level 7";
    EXPECT_FALSE(w.grpSelect->isEnabled()) << "no characters: the button bar stays disabled";
    EXPECT_EQ(w.imgListHearts.size(), 4u);
    EXPECT_EQ(w.imgListX.size(), 1u);
    EXPECT_EQ(w.imgListJobs.size(), 22u);
    EXPECT_EQ(w.imgListJobs[11].size(), QSize(28, 22));
}

// A language table that cannot be read is passed over for US English, and
// the start-up says which file, on which line, and why.
TEST_F(MainWindowTest, AnUnreadableLanguageTableIsNamedAtStartUp) {
    const auto tables = folder.path() / "lang";
    std::filesystem::create_directories(tables);
    std::filesystem::copy_file(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Dusen.lng", tables / "CV3Dusen.lng");
    std::ifstream uken(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Duken.lng");
    std::string damaged;
    int line = 0;
    int repeated = 0;
    for (std::string text; std::getline(uken, text);) {
        damaged += text + "\n";
        ++line;
        if (text.starts_with("5022\t")) {
            damaged += text + "\n";
            repeated = ++line;
        }
    }
    std::ofstream(tables / "CV3Duken.lng") << damaged;
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE", "UKEnglish");
    game.installation(7);
    window = std::make_unique<TfrmMain>(
        MainWindowServices{dialogs, registry, {}, tables, [] { return std::string("UKEnglish"); }});
    dialogs.answer(mrOk);
    dialogs.answer(mrOk);
    EXPECT_TRUE(window->FormCreate());
    EXPECT_EQ(dialogs.messageTexts(),
              (std::vector<std::string>{LangStr(7322) + "\n" + (tables / "CV3Duken.lng").string() + " line " +
                                            std::to_string(repeated) + ": id 5022 appears twice",
                                        LangStr(7002)}));
}

TEST_F(MainWindowTest, PreselectsTheGamesNeighbourhoodAndHonoursTheLanguageSwitch) {
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_CURRENT_NEIGHBORHOOD_PATH", "UserData2");
    TfrmMain& w = start(2, {"/l", "ukenglish"});
    EXPECT_EQ(w.cbNeighborhood->currentText(), "02");
    EXPECT_EQ(AppSettings().NeighborhoodPath, game.root() / "UserData2");
    EXPECT_NE(LangStr(4017).find("Neighbourhood"), std::string::npos) << "the British table is in use";
    EXPECT_EQ(w.findChild<QComboBox*>("cbHauntAddress")->count(), 11);
}

TEST_F(MainWindowTest, EarlyGamesRestrictInterestsAndHideLaterFeatures) {
    TfrmMain& w = start(0);
    QPushButton* interests = w.pageButton("btnInterests");
    EXPECT_TRUE(interests->isHidden());
    EXPECT_TRUE(interests->text().endsWith(QString::fromStdString(LangStr(6078))));
    for (const char* name : {"btnWinter", "btnFashion", "btnNude"}) {
        EXPECT_TRUE(w.pageButton(name)->isHidden()) << name;
    }
    EXPECT_FALSE(w.pageButton("btnMakeover")->isHidden());
}

TEST_F(MainWindowTest, MiddleLevelsHideTheNewerOutfits) {
    TfrmMain& w = start(3);
    EXPECT_TRUE(w.pageButton("btnWinter")->isHidden());
    EXPECT_TRUE(w.pageButton("btnFashion")->isHidden());
    EXPECT_FALSE(w.pageButton("btnInterests")->isHidden());
    EXPECT_TRUE(w.pageButton("btnInterests")->isEnabledTo(w.grpSelect));
}

TEST_F(MainWindowTest, EveryPageButtonShowsItsPageWhereTheTableSays) {
    TfrmMain& w = start(7);
    addCharacter();
    w.UnlockPages();
    for (const PageInfo& page : MainWindowPages()) {
        SCOPED_TRACE(std::string(page.button));
        // The skin checks run as their page opens; this game has nothing for them to find.
        const bool check = page.kind == PageKind::MissingSkinSearch || page.kind == PageKind::DupsSearch ||
                           page.kind == PageKind::SkinValidate;
        if (check) dialogs.answer(mrOk);
        w.pageButton(page.button)->click();
        EXPECT_TRUE(dialogs.allAnswersUsed());
        for (const PageGroup& group : page.groups) {
            EXPECT_TRUE(w.pageGroup(group.name)->isVisibleTo(&w)) << group.name;
            QGroupBox* box = w.pageGroup(group.name);
            EXPECT_EQ(QRect(box->mapTo(&w, QPoint(0, 0)), box->size()), rectOf(group.bounds)) << group.name;
        }
        EXPECT_FALSE(w.pageButton(page.button)->isEnabled());
        EXPECT_EQ(w.pnl3DSim->geometry(), rectOf(page.preview == PreviewSize::Small ? kSmallPreview : kLargePreview));
        EXPECT_EQ(w.btnSave->isVisibleTo(&w), page.saveShown);
        EXPECT_EQ(w.grpSelectSkins->isVisibleTo(&w), page.skinListShown);
        int visiblePages = 0;
        for (const PageInfo& other : MainWindowPages()) {
            visiblePages += w.pageGroup(other.groups.front().name)->isVisibleTo(&w) ? 1 : 0;
            if (other.button != page.button) {
                EXPECT_TRUE(w.pageButton(other.button)->isEnabled()) << other.button;
            }
        }
        EXPECT_EQ(visiblePages, 1);
    }
}

TEST_F(MainWindowTest, ShowingThePageOnShowKeepsThePreviewAndLogo) {
    TfrmMain& w = start(7);
    addCharacter();
    w.UnlockPages();
    w.ShowPage(w.pageButton("btnNeighborhood"));
    EXPECT_FALSE(w.img3DSim->pixmap().isNull()) << "the small logo";
    const QPalette& marker = w.pageButton("btnNeighborhood")->palette();
    EXPECT_NE(marker.color(QPalette::Disabled, QPalette::ButtonText), marker.color(QPalette::Active, QPalette::ButtonText))
        << "the button of the page on show looks disabled";
    w.img3DSim->clear();
    w.ShowPage(w.pageButton("btnNeighborhood"));
    EXPECT_TRUE(w.img3DSim->pixmap().isNull()) << "the logo is not loaded again";

    w.ShowPage(w.pageButton("btnMakeover"));
    w.ShowPage(w.pageButton("btnHead"));
    EXPECT_EQ(w.pnl3DSim->geometry(), rectOf(kLargePreview));
    EXPECT_TRUE(w.grpSelectSkins->isVisibleTo(&w));
}

TEST_F(MainWindowTest, AboutWindowLivesWhileItsPageIsOnShow) {
    TfrmMain& w = start(7);
    addCharacter();
    w.UnlockPages();
    w.pageButton("btnAbout")->click();
    ASSERT_NE(w.aboutWindow(), nullptr);
    EXPECT_EQ(w.aboutWindow()->parentWidget(), w.pnlAbout);
    w.pageButton("btnSkillsPersonality")->click();
    EXPECT_EQ(w.aboutWindow(), nullptr);
}

TEST_F(MainWindowTest, WithoutCharactersTheButtonBarStaysDisabled) {
    TfrmMain& w = start(7);
    w.ShowPage(w.pageButton("btnAbout"));
    EXPECT_FALSE(w.grpSelect->isEnabled());
    EXPECT_TRUE(w.grpNGBD->isEnabled());
}

TEST_F(MainWindowTest, ClosingWhileLockedDoesNothing) {
    TfrmMain& w = start(7);
    w.LockPages();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    w.UnlockPages();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "SetGamePath"), "False");
    EXPECT_EQ(registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "ChkChildFormals"), "True");
}

TEST_F(MainWindowTest, ExitSwapsTheChosenNeighbourhoodInWithoutPacks) {
    TfrmMain& w = start(0);
    w.cbNeighborhood->setCurrentIndex(2);
    dialogs.answer(mrOk);  // the note about the option
    w.ckOpenCurNBGD->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].text.find("swapped with Neighborhood 1"), std::string::npos);
    EXPECT_TRUE(w.close());
    std::ifstream in(game.root() / "UserData" / "which.txt");
    std::string which;
    std::getline(in, which);
    EXPECT_EQ(which, "UserData3");
    EXPECT_EQ(registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "SetGamePath"), "True");
}

// A save cut off in the last run is undone before anything is read, and the
// user is told which files it concerned.
TEST_F(MainWindowTest, AnInterruptedSaveIsFinishedAtStartAndTold) {
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    const auto target = game.root() / "UserData" / "neighborhood.iff";
    const auto waiting = game.root() / "UserData" / ".neighborhood.iff.Qw3rty";
    std::filesystem::create_directories(folder.path() / "app");
    std::ofstream(waiting) << "half a save";
    std::ofstream(folder.path() / "app" / "SaveJournal.txt")
        << "Corvane 3D save journal\nprepared\n" << waiting.string() << "\t" << target.string() << "\n";
    game.installation(7);
    window = std::make_unique<TfrmMain>(MainWindowServices{
        dialogs, registry, ParseCommandLine({}), CORVANE_LANG_DIR, [] { return std::string("USEnglish"); }});
    dialogs.answer(mrOk).answer(mrOk);
    EXPECT_TRUE(window->FormCreate());
    ASSERT_GE(dialogs.messageTexts().size(), 1u);
    EXPECT_EQ(dialogs.messageTexts().front(), LangStr(7191) + "\n" + target.string());
    EXPECT_FALSE(std::filesystem::exists(waiting));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "app" / "SaveJournal.txt"));
}

TEST_F(MainWindowTest, BuildsTheSkinCatalogueAndEndsWhenAnArchiveIsDamaged) {
    game.writeText("GameData/Skins/xskin-loose-PELVIS-BODY.skn", "mesh");
    start(7);
    EXPECT_EQ(GameSkinCatalogue().SknFileList.value().size(), 1u);
    window.reset();
    EXPECT_FALSE(GameSkinCatalogue().complete()) << "the catalogue goes with the window";

    auto archive = game.writeArchive("GameData/Animation/Animation.far",
                                     {{"xskin-a.skn", std::vector<std::uint8_t>(2000, 1)}});
    std::filesystem::resize_file(archive, std::filesystem::file_size(archive) - 3);
    dialogs.answer(mrOk);
    window = std::make_unique<TfrmMain>(MainWindowServices{dialogs, registry, {}, CORVANE_LANG_DIR, [] {
                                                               return std::string();
                                                           }});
    EXPECT_FALSE(window->FormCreate());
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    const std::string text = dialogs.messageTexts().front();
    EXPECT_EQ(text.rfind(LangStr(7093) + "\n" + archive.string() + " at offset ", 0), 0u) << text;
    EXPECT_TRUE(text.ends_with("\n" + LangStr(7094))) << text;
}

// The first neighbourhood holds a couple and their dog.
void writeFamily(GameBuilder& game, int level) {
    NeighbourhoodFileSpec neighbourhood;
    neighbourhood.version = NeighbourhoodVersionFor(level);
    FamilySpec goths{3, "Goth", 5, 20000, 1000, {}};
    struct Member { const char* file; int id; std::uint32_t guid; const char* first; const char* ageGroup; };
    for (const Member& m : {Member{"User00001", 1, 0x0A0A0A0A, "Mortimer", "adult"},
                            Member{"User00002", 2, 0x0B0B0B0B, "Bella", "adult"},
                            Member{"User00003", 3, 0x0C0C0C0C, "Rex", "dog"}}) {
        CharacterFileSpec character;
        character.fileName = m.file;
        character.guid = m.guid;
        character.names = {{1, {m.first, "bio"}}};
        character.bodyStrings = StandardBodyStrings(m.ageGroup, level);
        game.writeFile(std::string("UserData/Characters/") + m.file + ".iff", MakeCharacterFile(character));
        NeighbourSpec neighbour;
        neighbour.fileName = m.file;
        neighbour.neighbourId = m.id;
        neighbour.guid = m.guid;
        neighbour.recordVersion = NeighbourRecordVersionFor(level);
        neighbour.personData = {{58, 27}};
        neighbourhood.neighbours.push_back(neighbour);
        goths.members.push_back(m.guid);
    }
    neighbourhood.families = {goths};
    game.writeFile("UserData/neighborhood.iff", MakeNeighbourhoodFile(neighbourhood));
}

class LoadedNeighbourhoodTest : public MainWindowTest {
protected:
    TfrmMain& startWithFamily(int level) {
        game.installation(level);
        writeFamily(game, level);
        window = std::make_unique<TfrmMain>(MainWindowServices{dialogs, registry, {}, CORVANE_LANG_DIR, [] {
                                                                   return std::string("USEnglish");
                                                               }});
        EXPECT_TRUE(window->FormCreate());
        return *window;
    }
    std::vector<std::string> listTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < window->cbUserName->count(); ++i) texts.push_back(window->cbUserName->itemText(i).toStdString());
        return texts;
    }
};

TEST_F(LoadedNeighbourhoodTest, TheCharactersFillTheListAndTheFirstIsCurrent) {
    TfrmMain& w = startWithFamily(7);
    EXPECT_EQ(listTexts(), (std::vector<std::string>{"Goth, Bella : User00002", "Goth, Mortimer : User00001",
                                                     "Goth, Rex : User00003"}));
    ASSERT_NE(window->document().current(), nullptr);
    EXPECT_EQ(window->document().current()->FirstName, "Bella");
    EXPECT_TRUE(w.grpSelect->isEnabled());
    EXPECT_FALSE(w.cbUserName->itemIcon(0).isNull()) << "the thumbnail shows";
    EXPECT_TRUE(w.pageGroup("grpNeighborhood")->isVisibleTo(&w));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(LoadedNeighbourhoodTest, APetHidesThePagesItHasNot) {
    TfrmMain& w = startWithFamily(7);
    w.cbUserName->setCurrentIndex(2);
    emit w.cbUserName->activated(2);
    EXPECT_EQ(window->document().current()->AgeGroup, "dog");
    for (const char* name : {"btnInterests", "btnHead", "btnHands", "btnFormal", "btnFashion", "btnNude"}) {
        EXPECT_TRUE(w.pageButton(name)->isHidden()) << name;
    }
    EXPECT_EQ(w.pageButton("btnNormal")->text().toStdString(), LangStr(5029));
    emit w.cbUserName->activated(0);
    EXPECT_FALSE(w.pageButton("btnHead")->isHidden());
    EXPECT_FALSE(w.pageButton("btnFashion")->isHidden()) << "an adult at level 7";
    EXPECT_EQ(w.pageButton("btnNormal")->text().toStdString(), LangStr(4020));
}

TEST_F(LoadedNeighbourhoodTest, SortCyclesTheLabelsAndDeleteSendsTheFileToTheTrash) {
    test::EnvOverride trash("XDG_DATA_HOME", (folder.path() / "data").string());
    TfrmMain& w = startWithFamily(4);
    w.btnSortUsers->click();
    EXPECT_EQ(listTexts().front(), "Bella Goth : User00002");
    w.btnSortUsers->click();
    w.btnSortUsers->click();
    EXPECT_EQ(listTexts().front(), "Goth, Bella : User00002");

    emit w.cbUserName->activated(2);  // Rex, the last entry
    dialogs.answer(mrYes);
    w.btnDelSim->click();
    EXPECT_FALSE(std::filesystem::exists(game.root() / "UserData/Characters/User00003.iff"));
    EXPECT_EQ(w.cbUserName->count(), 2);
    EXPECT_EQ(w.cbUserName->currentIndex(), 1) << "the new last entry is selected";
    EXPECT_EQ(window->document().current()->FirstName, "Mortimer");

    dialogs.answer(mrNo);
    w.btnDelSim->click();
    EXPECT_EQ(w.cbUserName->count(), 2) << "anything but Yes deletes nothing";
}

TEST_F(MainWindowTest, NoGameEndsStartUp) {
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA", "");
    dialogs.answer(mrNo);
    window = std::make_unique<TfrmMain>(MainWindowServices{dialogs, registry, {}, CORVANE_LANG_DIR, [] {
                                                               return std::string();
                                                           }});
    EXPECT_FALSE(window->FormCreate());
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8040)});
}

}  // namespace
}  // namespace corvane
