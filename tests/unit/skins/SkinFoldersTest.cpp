#include "skins/SkinFolders.h"

#include "demo/GameBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <thread>

namespace corvane {
namespace {

class SkinFoldersTest : public ::testing::Test {
protected:
    std::filesystem::path put(const std::string& relative) { return game.writeText(relative, "skin"); }
    std::vector<std::string> relativeNames(const std::vector<std::filesystem::path>& paths) const {
        std::vector<std::string> names;
        for (const auto& path : paths) {
            names.push_back(path.lexically_relative(game.root()).generic_string());
        }
        return names;
    }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
};

TEST_F(SkinFoldersTest, FirstSearchFolderWinsAndListingsKeepEveryCopyInFolderOrder) {
    put("ExpansionShared/Skins/b001mafit_01.cmx");
    put("GameData/Skins/b001mafit_01.cmx");
    put("Deluxe/SkinsBuy/b002mafit_01.cmx");
    SkinFolders skins(game.root(), 7);
    EXPECT_EQ(skins.FindSkinFile("B001MAFIT_01", ".cmx"), game.root() / "GameData/Skins/b001mafit_01.cmx");
    EXPECT_EQ(relativeNames(skins.ListSkinFiles("*.cmx")),
              (std::vector<std::string>{"GameData/Skins/b001mafit_01.cmx", "ExpansionShared/Skins/b001mafit_01.cmx",
                                        "Deluxe/SkinsBuy/b002mafit_01.cmx"}));
    EXPECT_TRUE(skins.FindSkinFile("b003mafit_01", ".cmx").empty());
}

TEST_F(SkinFoldersTest, LevelFiveLeavesOutTheThirdPacksBuyFolder) {
    put("ExpansionPack3/SkinsBuy/f100fafit_gown.cmx");
    SkinFolders level5(game.root(), 5);
    EXPECT_TRUE(level5.FindSkinFile("f100fafit_gown", ".cmx").empty());
    EXPECT_TRUE(level5.ListSkinFiles("*.cmx").empty());
    EXPECT_TRUE(level5.ListSkinFilesFiltered("*.cmx").empty());
    SkinFolders level6(game.root(), 6);
    EXPECT_FALSE(level6.FindSkinFile("f100fafit_gown", ".cmx").empty());
    EXPECT_EQ(level6.SearchFolders().size(), 16u);
    EXPECT_EQ(level5.SearchFolders().size(), 15u);
}

TEST_F(SkinFoldersTest, FallbackFoldersAreSearchedAfterTheSkinFoldersIgnoringCase) {
    put("gamedata/TEXTURES3/HUAOlgt.bmp");
    put("gamedata/Cmx9/sub/deeper/b010mafit_x.cmx");
    put("gamedata/Cmx9/.hidden.cmx");
    SkinFolders skins(game.root(), 0);
    EXPECT_EQ(skins.FindSkinFile("huaolgt", ".bmp"), game.root() / "gamedata/TEXTURES3/HUAOlgt.bmp");
    EXPECT_TRUE(skins.FindSkinFile("b010mafit_x", ".cmx").empty()) << "a fallback lookup is not recursive";
    EXPECT_EQ(relativeNames(skins.ListSkinFiles("*.CMX")),
              std::vector<std::string>{"gamedata/Cmx9/sub/deeper/b010mafit_x.cmx"})
        << "listings walk the fallback folders recursively, hidden files left out";
    EXPECT_EQ(SkinFolders::FallbackFolders().size(), 31u);
}

TEST_F(SkinFoldersTest, FilteredListingKeepsOnlySkinNames) {
    for (const char* name : {"b001mafit_01.cmx", "child-censor.cmx", "adult-skeleton.cmx", "nmfit_01.cmx"}) {
        put(std::string("GameData/Skins/") + name);
    }
    SkinFolders skins(game.root(), 1);
    EXPECT_EQ(relativeNames(skins.ListSkinFilesFiltered("*.cmx")),
              (std::vector<std::string>{"GameData/Skins/b001mafit_01.cmx", "GameData/Skins/nmfit_01.cmx"}));
}

TEST_F(SkinFoldersTest, ListingsNoticeFilesAddedAndRemovedSinceTheLastLookup) {
    SkinFolders skins(game.root(), 7);
    put("GameData/Skins/c001ma_bob.cmx");
    ASSERT_FALSE(skins.FindSkinFile("c001ma_bob", ".cmx").empty());
    EXPECT_TRUE(skins.FindSkinFile("c002ma_new", ".cmx").empty());
    // Folder times have a fine grain, but give a coarse file system a tick.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    put("GameData/Skins/c002ma_new.cmx");
    std::filesystem::remove(game.root() / "GameData/Skins/c001ma_bob.cmx");
    EXPECT_FALSE(skins.FindSkinFile("c002ma_new", ".cmx").empty());
    EXPECT_TRUE(skins.FindSkinFile("c001ma_bob", ".cmx").empty());
    EXPECT_EQ(skins.ListSkinFiles("*.cmx").size(), 1u);
}

TEST(SkinFolderHelpers, JoinPathAndFileSize) {
    EXPECT_EQ(JoinPath("C:\\Sims\\", "x.bmp"), "C:\\Sims\\x.bmp");
    EXPECT_EQ(JoinPath("C:\\Sims", "x.bmp"), "C:\\Sims\\x.bmp");
    test::TempDir folder;
    GameBuilder files(folder.path());
    EXPECT_EQ(FileSizeKB(files.writeText("small", std::string(1023, 'x'))), 0);
    EXPECT_EQ(FileSizeKB(files.writeText("big", std::string(2049, 'x'))), 2);
    EXPECT_EQ(FileSizeKB(folder.path() / "missing"), 0);
}

}  // namespace
}  // namespace corvane
