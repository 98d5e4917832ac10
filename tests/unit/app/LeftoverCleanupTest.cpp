// The clean-up at start of what killed backups, restores, copies, moves of
// the duplicate store and all-or-nothing writes left behind.
#include "app/LeftoverCleanup.h"

#include "demo/GameBuilder.h"
#include "platform/ProcessLock.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class LeftoverCleanupTest : public ::testing::Test {
protected:
    fs::path plant(const fs::path& path, const std::string& content) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    // The items in the Trash.
    std::vector<fs::path> trashed() const {
        std::vector<fs::path> items;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder.path() / "data/Trash/files", ec)) items.push_back(entry.path());
        return items;
    }

    test::TempDir folder;
    test::EnvOverride data{"XDG_DATA_HOME", (folder.path() / "data").string()};
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    GameBuilder builder{folder.path() / "game"};
    fs::path game = folder.path() / "game";
    fs::path app = folder.path() / "app";
};

// Each leftover by the operation that left it: what becomes of it, and what
// the user then finds where.
TEST_F(LeftoverCleanupTest, EachLeftoverIsRemovedPutBackOrTrashedByWhatItMayHold) {
    builder.neighbourhood("UserData");
    builder.neighbourhood("UserData3");
    builder.writeText("GameData/Skins/z.bmp", "the new z");
    const struct {
        const char* left;
        fs::path path;        // the leftover (a file, or a file inside the leftover folder)
        fs::path leftover;    // the entry found
        Leftover::Fate fate;
        fs::path backAt;      // PutBack: where the content is again
    } cases[] = {
        {"a restore's staged copy, killed while copying", game / ".UserData3.partial-AbC123/Characters/x.iff",
         game / ".UserData3.partial-AbC123", Leftover::Fate::Removed, {}},
        {"a neighbourhood swapped out before it went to the Trash", game / ".UserData.partial-XyZ789/old.txt",
         game / ".UserData.partial-XyZ789", Leftover::Fate::Trashed, {}},
        {"a neighbourhood set aside while its name is free", game / ".UserData4.old-AbC123/UserData4/n.iff",
         game / ".UserData4.old-AbC123", Leftover::Fate::PutBack, game / "UserData4/n.iff"},
        {"a backup's staged copy", app / "Neighborhoods/.UserData2.partial-Qw12Er/n.iff",
         app / "Neighborhoods/.UserData2.partial-Qw12Er", Leftover::Fate::Removed, {}},
        {"a copy of a backup", app / "Neighborhoods/.UserData7.part-0123456789ab/n.iff",
         app / "Neighborhoods/.UserData7.part-0123456789ab", Leftover::Fate::Removed, {}},
        {"a store's copy across file systems", app / "CMX_SKN/GameData/Skins/.x.bmp.part-00aa11bb22cc",
         app / "CMX_SKN/GameData/Skins/.x.bmp.part-00aa11bb22cc", Leftover::Fate::Removed, {}},
        {"a restore's copy into the game", game / "GameData/Skins/.b.cmx.part-ffeeddccbbaa",
         game / "GameData/Skins/.b.cmx.part-ffeeddccbbaa", Leftover::Fate::Removed, {}},
        {"a stored file set aside, its place free", app / "CMX_SKN/GameData/Skins/.y.bmp.replaced",
         app / "CMX_SKN/GameData/Skins/.y.bmp.replaced", Leftover::Fate::PutBack, app / "CMX_SKN/GameData/Skins/y.bmp"},
        {"a game file set aside and replaced", game / "GameData/Skins/.z.bmp.replaced-2",
         game / "GameData/Skins/.z.bmp.replaced-2", Leftover::Fate::Trashed, {}},
        {"a copy cut off before its first file", game / ".UserData3.partial-Empty1/.keep",
         game / ".UserData3.partial-Empty1", Leftover::Fate::Removed, {}},
        {"a description write", game / "UserData3/.Description.cv.Ab12Cd", game / "UserData3/.Description.cv.Ab12Cd",
         Leftover::Fate::Removed, {}},
        {"a backup's description write", app / "Neighborhoods/UserData3/.Description.cv.Zz9Yy8",
         app / "Neighborhoods/UserData3/.Description.cv.Zz9Yy8", Leftover::Fate::Removed, {}},
        {"a character file write", game / "UserData/Characters/.User00001.iff.Qw12Er",
         game / "UserData/Characters/.User00001.iff.Qw12Er", Leftover::Fate::Removed, {}},
        {"a skin file write", game / "GameData/Skins/.B001.cmx.aB3dE5", game / "GameData/Skins/.B001.cmx.aB3dE5",
         Leftover::Fate::Removed, {}},
    };
    for (const auto& c : cases) plant(c.path, c.left);
    fs::remove(game / ".UserData3.partial-Empty1/.keep");
    plant(game / ".UserData3.partial-AbC123/.Corvane3D staging", "incomplete\n");
    plant(app / "Neighborhoods/.UserData2.partial-Qw12Er/.Corvane3D staging", "incomplete\n");
    // Never ours: names of other shapes, and a link or a folder of our shape.
    const fs::path others[] = {game / "UserData/.hidden", game / "GameData/Skins/.x.bmp.part-12",
                               game / "UserData3/.Description.cv.abc", game / "GameData/Skins/notes.txt",
                               game / "GameData/Skins/.q.bmp.AbCdEf/inside"};
    for (const fs::path& other : others) plant(other, "the user's");
    fs::create_symlink("notes.txt", game / "GameData/Skins/.l.bmp.AbCdEf");

    const std::vector<Leftover> found = CleanUpLeftovers(game, 0);
    const std::string report = LeftoverReport(found);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        const auto it = std::find_if(found.begin(), found.end(), [&](const Leftover& l) { return l.path == c.leftover; });
        ASSERT_NE(it, found.end());
        EXPECT_EQ(it->fate, c.fate) << it->cause;
        EXPECT_FALSE(fs::exists(fs::symlink_status(c.leftover)));
        EXPECT_NE(report.find(c.leftover.string()), std::string::npos) << report;
        if (c.fate == Leftover::Fate::PutBack) {
            EXPECT_EQ(contentOf(c.backAt), c.left);
        }
        if (c.fate == Leftover::Fate::Trashed) {
            EXPECT_EQ(it->where.parent_path(), folder.path() / "data/Trash/files");
        }
    }
    EXPECT_EQ(found.size(), std::size(cases));
    EXPECT_EQ(trashed().size(), 2u) << "only what may be the user's only copy";
    EXPECT_EQ(contentOf(game / "GameData/Skins/z.bmp"), "the new z");
    for (const fs::path& other : others) EXPECT_EQ(contentOf(other), "the user's") << other;
    EXPECT_TRUE(fs::is_symlink(game / "GameData/Skins/.l.bmp.AbCdEf"));
    EXPECT_TRUE(LeftoverReport(CleanUpLeftovers(game, 0)).empty()) << "told once";
}

// A staged folder another process is building right now is not a leftover.
TEST_F(LeftoverCleanupTest, AStagedFolderInUseIsLeftAlone) {
    builder.neighbourhood("UserData");
    const fs::path staged = plant(game / ".UserData5.partial-AbC123/.Corvane3D staging", "incomplete\n").parent_path();
    const std::optional<ProcessLock> building = ProcessLock::TryTake(staged);
    ASSERT_TRUE(building);
    const std::vector<Leftover> found = CleanUpLeftovers(game, 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().fate, Leftover::Fate::InUse);
    EXPECT_TRUE(fs::exists(staged / ".Corvane3D staging"));
    EXPECT_TRUE(LeftoverReport(found).empty()) << "nothing to tell";
}

}  // namespace
}  // namespace corvane
