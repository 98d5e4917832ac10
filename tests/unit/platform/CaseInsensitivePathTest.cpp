#include "platform/AsciiText.h"
#include "platform/CaseInsensitivePath.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace corvane {
namespace {

TEST(CaseInsensitivePath, ResolvesEachComponentIgnoringCase) {
    test::TempDir game;
    std::filesystem::create_directories(game.path() / "gamedata" / "SKINS");
    std::ofstream(game.path() / "gamedata" / "SKINS" / "B001MAFit_01.cmx") << "x";

    EXPECT_EQ(ResolveCaseInsensitive(game.path(), "GameData\\Skins\\b001mafit_01.CMX"),
              game.path() / "gamedata" / "SKINS" / "B001MAFit_01.cmx");
    // A new file keeps the case it is given, inside the folder as it exists.
    EXPECT_EQ(ResolveCaseInsensitive(game.path(), "GameData/Skins/New.bmp"),
              game.path() / "gamedata" / "SKINS" / "New.bmp");
    EXPECT_EQ(ResolveCaseInsensitive(game.path(), "Missing\\Skins"), game.path() / "Missing" / "Skins");
}

TEST(CaseInsensitivePath, ExactMatchWinsOverOtherCase) {
    test::TempDir game;
    std::filesystem::create_directories(game.path() / "UserData");
    std::filesystem::create_directories(game.path() / "userdata");
    EXPECT_EQ(ResolveCaseInsensitive(game.path(), "userdata"), game.path() / "userdata");
    EXPECT_EQ(ResolveCaseInsensitive(game.path(), "USERDATA"), game.path() / "UserData");
}

TEST(CaseInsensitivePath, ComparesOnlyAsciiLettersWithoutCase) {
    EXPECT_TRUE(EqualsIgnoreCase("Sims.EXE", "sims.exe"));
    EXPECT_FALSE(EqualsIgnoreCase("Sims.exe", "Sims.ex"));
    EXPECT_FALSE(EqualsIgnoreCase("\xC9t\xE9", "\xE9t\xE9")) << "code-page letters are compared as bytes";
    EXPECT_EQ(ToLowerAscii("AbC\xC9"), "abc\xC9");
    EXPECT_EQ(ToUpperAscii("usen"), "USEN");
}

}  // namespace
}  // namespace corvane
