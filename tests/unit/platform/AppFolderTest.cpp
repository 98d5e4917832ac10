#include "platform/AppFolder.h"

#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(AppFolder, CorvaneHomeWinsThenXdgDataHomeThenHome) {
    test::EnvOverride home("HOME", "/home/player");
    {
        test::EnvOverride corvane("CORVANE_HOME", "/srv/corvane");
        test::EnvOverride xdg("XDG_DATA_HOME", "/data");
        EXPECT_EQ(ApplicationFolder(), "/srv/corvane");
    }
    test::EnvOverride corvane("CORVANE_HOME", std::nullopt);
    {
        test::EnvOverride xdg("XDG_DATA_HOME", "/data");
        EXPECT_EQ(ApplicationFolder(), "/data/Corvane3D");
    }
    test::EnvOverride xdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(ApplicationFolder(), "/home/player/.local/share/Corvane3D");
}

TEST(AppFolder, ProgramDataBesideTheProgramElseInShare) {
    test::TempDir tree;
    std::filesystem::create_directories(tree.path() / "bin");
    EXPECT_EQ(ProgramDataFolder(tree.path() / "bin" / "corvane3d", "lang"),
              tree.path() / "share" / "corvane3d" / "lang");
    std::filesystem::create_directories(tree.path() / "bin" / "lang");
    EXPECT_EQ(ProgramDataFolder(tree.path() / "bin" / "corvane3d", "lang"), tree.path() / "bin" / "lang");
}

}  // namespace
}  // namespace corvane
