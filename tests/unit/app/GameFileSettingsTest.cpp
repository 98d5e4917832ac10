#include "app/GameFileSettings.h"

#include "demo/GameBuilder.h"
#include "platform/AppFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

Settings settingsOf(const GameBuilder& game, int expansionLevel) {
    Settings settings;
    settings.GamePath = game.root();
    settings.ExpansionLevel = expansionLevel;
    settings.LanguageNumber = 6;
    return settings;
}

TEST(GameFileSettings, LoadingTakesTheGameTheFolderAndWhetherFilesMayMove) {
    test::TempDir folder;
    GameBuilder game(folder.path());
    game.installation(3);
    game.writeText("GameData/Skins/B001FAFitLgt_01.bmp", "a texture");
    const Settings settings = settingsOf(game, 3);
    const auto neighbourhood = game.neighbourhood("UserData2");

    for (bool mayMoveFiles : {false, true}) {
        const NeighbourhoodLoadSettings load = LoadSettingsFor(settings, neighbourhood, mayMoveFiles);
        EXPECT_EQ(load.folder, neighbourhood);
        EXPECT_EQ(load.expansionLevel, 3);
        EXPECT_EQ(load.languageNumber, 6);
        EXPECT_EQ(load.applicationFolder, ApplicationFolder());
        EXPECT_EQ(load.mayMoveFiles, mayMoveFiles);
        ASSERT_TRUE(load.textureInstalled);
        EXPECT_TRUE(load.textureInstalled("b001fafitlgt_01")) << "found in the skin folders, letter case ignored";
        EXPECT_FALSE(load.textureInstalled("b002fafitlgt_01"));
    }
}

TEST(GameFileSettings, FameFoldersAreTheSixthOrSeventhPackFolder) {
    struct Case { const char* folder; bool fame; };
    for (auto [packFolder, fame] : {Case{nullptr, false}, Case{"ExpansionPack5", false}, Case{"ExpansionPack6", true},
                                    Case{"expansionpack7", true}}) {
        test::TempDir folder;
        GameBuilder game(folder.path());
        game.installation(0);
        if (packFolder != nullptr) {
            std::filesystem::create_directories(game.root() / packFolder);
        }
        EXPECT_EQ(LoadSettingsFor(settingsOf(game, 0), game.root() / "UserData", false).hasFameFolders, fame)
            << (packFolder ? packFolder : "no pack folder");
    }
}

TEST(GameFileSettings, SavingTakesTheGameAndTheNeighbourhoodFolder) {
    test::TempDir folder;
    GameBuilder game(folder.path());
    const Settings settings = settingsOf(game, 7);
    const CharacterSaveSettings save = SaveSettingsFor(settings, game.root() / "UserData3");
    EXPECT_EQ(save.gameFolder, game.root());
    EXPECT_EQ(save.neighbourhoodFolder, game.root() / "UserData3");
    EXPECT_EQ(save.applicationFolder, ApplicationFolder());
    EXPECT_EQ(save.expansionLevel, 7);
    EXPECT_EQ(save.languageNumber, 6);
}

}  // namespace
}  // namespace corvane
