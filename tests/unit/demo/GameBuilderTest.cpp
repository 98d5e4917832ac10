#include "demo/GameBuilder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(GameBuilder, WritesAnInstallationOfTheChosenLevel) {
    test::TempDir folder;
    GameBuilder game(folder.path() / "The Sims");
    game.installation(3);
    auto neighbourhood = game.neighbourhood("UserData2");
    game.writeText("GameData\\Skins\\b001mafit_01.cmx", "// test\n");

    const auto& root = game.root();
    EXPECT_TRUE(std::filesystem::is_regular_file(root / "Sims.exe"));
    EXPECT_TRUE(std::filesystem::is_directory(root / "GameData" / "Skins"));
    for (const char* pack : {"ExpansionPack", "ExpansionPack2", "ExpansionPack3"}) {
        EXPECT_TRUE(std::filesystem::is_directory(root / pack)) << pack;
    }
    EXPECT_FALSE(std::filesystem::exists(root / "ExpansionPack4"));
    EXPECT_TRUE(std::filesystem::is_directory(neighbourhood / "Characters"));
    EXPECT_EQ(std::filesystem::file_size(root / "GameData" / "Skins" / "b001mafit_01.cmx"), 8u);
}

}  // namespace
}  // namespace corvane
