#include "app/GameLocator.h"

#include "demo/GameBuilder.h"
#include "platform/LanguageModule.h"
#include "support/RegistryTestFiles.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class GameLocatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("5022\tCorvane 3D\n8040\tFind the game?\n8041\tNo game.\n", "t.lng"));
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    std::string gameKey(const char* value) const {
        return registry.read(RegistryRoot::LocalMachine, kGameRegistryKey, value);
    }

    test::TempDir folder;
    Registry registry{{std::nullopt, folder.path() / "config"}};
    test::ScriptedDialogs dialogs;
};

TEST_F(GameLocatorTest, ReadsTheGameKeyWithDefaults) {
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA", "/games/The Sims");
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE", "USEnglish");
    GameKeyValues values = ReadGameKey(registry);
    EXPECT_EQ(values.gamePath, "/games/The Sims");
    EXPECT_EQ(values.gameLanguage, "USEn");
    EXPECT_EQ(values.preselectedNeighbourhood, "UserData") << "empty means the first neighbourhood";
}

TEST_F(GameLocatorTest, MapsTheWindowsGameFolderThroughTheWinePrefix) {
    auto prefix = folder.path() / "prefix";
    test::makeWinePrefix(prefix, test::kWow64Hive);
    GameBuilder game(prefix / "drive_c" / "program files (x86)" / "Maxis" / "The Sims");
    game.installation(0);
    Registry wine({prefix, folder.path() / "config"});
    GameKeyValues values = ReadGameKey(wine);
    EXPECT_TRUE(std::filesystem::equivalent(values.gamePath, game.root())) << values.gamePath;
    EXPECT_EQ(values.gameLanguage, "Fren");
    EXPECT_EQ(LocateGame(values.gamePath, wine, dialogs), values.gamePath);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(GameLocatorTest, NoOrACancelledChoiceEndsWithoutWritingAnything) {
    dialogs.answer(mrNo);
    EXPECT_FALSE(LocateGame(folder.path() / "nowhere", registry, dialogs));
    dialogs.answer(mrYes).answerFile(std::nullopt).answer(mrOk);
    EXPECT_FALSE(LocateGame({}, registry, dialogs));
    auto notAGame = folder.path() / "Downloads";
    std::filesystem::create_directories(notAGame);
    dialogs.answer(mrYes).answerFile(notAGame / "Sims.exe").answer(mrOk);
    EXPECT_FALSE(LocateGame({}, registry, dialogs));

    EXPECT_EQ(dialogs.messageTexts(),
              (std::vector<std::string>{"Find the game?", "Find the game?", "No game.", "Find the game?", "No game."}));
    EXPECT_EQ(dialogs.messages()[0].caption, "Corvane 3D");
    EXPECT_EQ(gameKey("SIMS_DATA"), "");
    EXPECT_FALSE(std::filesystem::exists(registry.iniFile()));
}

TEST_F(GameLocatorTest, TheChosenGameIsRemembered) {
    GameBuilder game(folder.path() / "Sims Copy");
    game.installation(2);
    dialogs.answer(mrYes).answerFile(game.root() / "Sims.exe");
    EXPECT_EQ(LocateGame(folder.path() / "old place", registry, dialogs), game.root());
    EXPECT_EQ(gameKey("SIMS_DATA"), game.root().string());
    EXPECT_EQ(dialogs.fileRequests().at(0).filter, "Sims.exe|Sims.exe");
}

TEST_F(GameLocatorTest, AnUnknownLanguageIsAskedForAndStored) {
    EXPECT_EQ(EnsureGameLanguage("USEn", registry, [] { return std::string("never asked"); }), "USEn");
    EXPECT_EQ(EnsureGameLanguage("", registry, [] { return std::string("Finnish"); }), "Finn");
    EXPECT_EQ(gameKey("SIMS_LANGUAGE"), "Finn");
}

}  // namespace
}  // namespace corvane
