#include "app/GameInstallation.h"

#include "demo/GameBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(GameInstallation, ExpansionLevelIsTheHighestPackFolderGapsIgnored) {
    test::TempDir folder;
    GameBuilder game(folder.path());
    game.installation(0);
    EXPECT_EQ(DetectExpansionLevel(game.root()), 0);
    game.expansionPack(1).expansionPack(4);
    EXPECT_EQ(DetectExpansionLevel(game.root()), 4);
    std::filesystem::create_directories(game.root() / "expansionpack7");
    EXPECT_EQ(DetectExpansionLevel(game.root()), 7) << "folder names ignore letter case";
    game.writeText("ExpansionPack6", "a file, not a folder");
    EXPECT_EQ(DetectExpansionLevel(game.root()), 7);
}

TEST(GameInstallation, NeighbourhoodsAreNumberedAndSortedByTheirNumber) {
    test::TempDir folder;
    GameBuilder game(folder.path());
    for (const char* name : {"UserData10", "UserData", "UserData2", "userdata3"}) {
        game.neighbourhood(name);
    }
    game.writeText("UserData4", "not a folder");
    game.neighbourhood("Downtown");
    auto entries = ListNeighbourhoods(game.root());
    ASSERT_EQ(entries.size(), 4u);
    const std::pair<const char*, const char*> expected[] = {
        {"01", "UserData"}, {"02", "UserData2"}, {"03", "userdata3"}, {"10", "UserData10"}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].number, expected[i].first);
        EXPECT_EQ(entries[i].folderName, expected[i].second);
    }
    EXPECT_EQ(PreselectedNeighbourhood(entries, "UserData10"), 3);
    EXPECT_EQ(PreselectedNeighbourhood(entries, "userdata10"), 0) << "the preselection matches exactly";
    EXPECT_EQ(PreselectedNeighbourhood({}, "UserData"), -1);
}

TEST(GameInstallation, GameExecutableSkinsFolderAndHauntAddresses) {
    test::TempDir folder;
    GameBuilder game(folder.path());
    EXPECT_FALSE(HasGameExecutable(game.root()));
    EXPECT_FALSE(HasGameExecutable({}));
    game.writeText("SIMS.EXE", "MZ");
    EXPECT_TRUE(HasGameExecutable(game.root()));

    std::filesystem::create_directories(game.root() / "MySkins");
    EXPECT_EQ(ChooseSkinsFolder(game.root(), {}), "GameData\\Skins");
    EXPECT_EQ(ChooseSkinsFolder(game.root(), {"Missing"}), "GameData\\Skins");
    EXPECT_EQ(ChooseSkinsFolder(game.root(), {"MySkins", "Missing"}), "MySkins");
    EXPECT_EQ(ChooseSkinsFolder(game.root(), {""}), "GameData\\Skins") << "an empty value is no folder";

    EXPECT_EQ(HauntAddresses(0).size(), 11u);
    EXPECT_EQ(HauntAddresses(4).back(), "10");
    EXPECT_EQ(HauntAddresses(5).size(), 42u);
    EXPECT_EQ(HauntAddresses(6)[11], "50");
    EXPECT_EQ(HauntAddresses(6).back(), "80");
    EXPECT_TRUE(HauntAddresses(7).empty());
}

}  // namespace
}  // namespace corvane
