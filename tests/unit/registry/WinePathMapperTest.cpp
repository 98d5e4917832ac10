#include "platform/WinePathMapper.h"

#include "support/RegistryTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// A prefix with c: -> ../drive_c holding the game, z: -> / as Wine makes it, a
// raw device entry and a dangling link as real prefixes have them.
class WinePathMapperTest : public ::testing::Test {
protected:
    test::TempDir temp;
    std::filesystem::path prefix = temp.path() / "prefix";
    std::filesystem::path driveC;
    std::filesystem::path game;

    WinePathMapperTest() {
        test::makeWinePrefix(prefix, "");
        driveC = std::filesystem::canonical(prefix / "drive_c");
        game = driveC / "Program Files" / "Maxis" / "The Sims";
        std::filesystem::create_directories(game / "GameData");
        std::filesystem::create_directory_symlink("/", prefix / "dosdevices" / "z:");
        std::filesystem::create_symlink("/dev/null", prefix / "dosdevices" / "d::");
        std::filesystem::create_directory_symlink("../missing", prefix / "dosdevices" / "e:");
    }

    WinePathMapper mapper() const { return WinePathMapper::forPrefix(prefix).value(); }
};

TEST_F(WinePathMapperTest, DrivesAreTheFolderLinks) {
    const WinePathMapper map = mapper();
    ASSERT_EQ(map.drives().size(), 2u);
    EXPECT_EQ(map.drives()[0].letter, 'c');
    EXPECT_EQ(map.drives()[0].target, driveC);
    EXPECT_EQ(map.drives()[1].letter, 'z');
    EXPECT_EQ(map.drives()[1].target, "/");
    EXPECT_EQ(WinePathMapper::forPrefix(temp.path()), std::nullopt);  // no dosdevices
}

TEST_F(WinePathMapperTest, WindowsPathsToHostPaths) {
    const WinePathMapper map = mapper();
    struct Case {
        std::string_view windows;
        std::optional<std::filesystem::path> host;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Maxis\\The Sims\\", game},
        {"c:\\PROGRAM FILES\\maxis\\THE SIMS\\gamedata", game / "GameData"},
        {"C:/Program Files/Maxis/The Sims", game},
        {"C:\\Program Files\\Maxis\\The Sims\\NewFolder\\New.txt", game / "NewFolder" / "New.txt"},
        {"C:\\..\\..\\program files\\.\\maxis", driveC / "Program Files" / "Maxis"},
        {"C:", driveC},
        {"Z:\\tmp", "/tmp"},
        {"z:\\", "/"},
        {"/already/a/host/path", "/already/a/host/path"},
        {"D:\\Games", std::nullopt},
        {"E:\\Games", std::nullopt},
        {"Q:\\Games", std::nullopt},
        {"Games\\The Sims", std::nullopt},
        {"\\\\server\\share", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(map.toHost(c.windows), c.host) << c.windows;
    }
}

TEST_F(WinePathMapperTest, HostPathsToWindowsPaths) {
    const WinePathMapper map = mapper();
    const std::filesystem::path linkToGame = temp.path() / "link";
    std::filesystem::create_directory_symlink(game, linkToGame);
    struct Case {
        std::filesystem::path host;
        std::optional<std::string> windows;
    };
    const Case cases[] = {
        {game, "C:\\Program Files\\Maxis\\The Sims"},  // c: beats z:, which holds it too
        {game / "", "C:\\Program Files\\Maxis\\The Sims\\"},
        {driveC, "C:\\"},
        {game / "GameData" / "NotYet.iff", "C:\\Program Files\\Maxis\\The Sims\\GameData\\NotYet.iff"},
        {linkToGame / "GameData", "C:\\Program Files\\Maxis\\The Sims\\GameData"},
        {"/etc/hostname", "Z:\\etc\\hostname"},
        {"/", "Z:\\"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(map.toWindows(c.host), c.windows) << c.host;
    }
}

TEST_F(WinePathMapperTest, WithoutAWholeDiskDriveOnlyPrefixPathsMap) {
    std::filesystem::remove(prefix / "dosdevices" / "z:");
    const WinePathMapper map = mapper();
    EXPECT_EQ(map.toWindows("/etc/hostname"), std::nullopt);
    EXPECT_EQ(map.toWindows(driveC.parent_path()), std::nullopt);  // the prefix itself is no drive
    EXPECT_EQ(map.toWindows(game), "C:\\Program Files\\Maxis\\The Sims");
}

TEST_F(WinePathMapperTest, RoundTripKeepsTheGameFolder) {
    const WinePathMapper map = mapper();
    const std::string windows = "C:\\Program Files\\Maxis\\The Sims\\";
    EXPECT_EQ(map.toWindows(map.toHost(windows).value() / ""), windows);
}

TEST(HostPathFromRegistry, HostPathsStandWithoutAPrefix) {
    EXPECT_EQ(HostPathFromRegistry("/games/The Sims/", std::nullopt), "/games/The Sims/");
    EXPECT_EQ(HostPathFromRegistry("C:\\Program Files\\Maxis\\The Sims\\", std::nullopt), std::nullopt);
    EXPECT_EQ(HostPathFromRegistry("", std::nullopt), std::nullopt);
}

TEST_F(WinePathMapperTest, RegistryPathsMapThroughThePrefix) {
    EXPECT_EQ(HostPathFromRegistry("c:\\program files\\maxis\\the sims\\", mapper()), game);
    EXPECT_EQ(HostPathFromRegistry("/games/The Sims/", mapper()), "/games/The Sims/");
}

}  // namespace
}  // namespace corvane
