#include "neighbourhoods/AutoBackup.h"

#include "platform/AtomicFile.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <set>
#include <string>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using std::chrono::system_clock;

// 2026-12-10 03:45:12 UTC.
const system_clock::time_point kFirstRun = system_clock::from_time_t(1796874312);

class AutoBackupTest : public ::testing::Test {
protected:
    fs::path put(const fs::path& relative, const std::string& content) {
        fs::path file = folder.path() / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

    AutoBackup newRun() const {
        return AutoBackup(root, game, [] { return kFirstRun; });
    }

    std::set<std::string> namesIn(const fs::path& dir) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    static int filesBelow(const fs::path& dir) {
        int count = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            count += entry.is_regular_file() ? 1 : 0;
        }
        return count;
    }

    test::TempDir folder;
    fs::path root = folder.path() / "app" / "AutoBackup";
    fs::path game = folder.path() / "game";
};

TEST_F(AutoBackupTest, FirstOverwriteKeepsTheOriginalUnderItsPathInTheGameAndLaterOnesCopyNothing) {
    fs::path character = put("game/UserData2/Characters/User00001.iff", "original");
    AutoBackup backup = newRun();
    EXPECT_TRUE(backup.runFolder().empty());

    backup.keepOriginal(character);
    put("game/UserData2/Characters/User00001.iff", "first save");
    backup.keepOriginal(character);
    backup.keepOriginal(game / "UserData2" / ".." / "UserData2" / "Characters" / "User00001.iff");

    ASSERT_FALSE(backup.runFolder().empty());
    EXPECT_EQ(ReadTextFile(backup.runFolder() / "UserData2" / "Characters" / "User00001.iff"), "original");
    EXPECT_EQ(filesBelow(backup.runFolder()), 1);
}

TEST_F(AutoBackupTest, RunFolderIsNamedAfterTheLocalTimeOfTheFirstCopy) {
    fs::path neighbourhood = put("game/UserData/neighborhood.iff", "n");
    {
        test::EnvOverride utc("TZ", "UTC0");
        tzset();
        AutoBackup backup = newRun();
        backup.keepOriginal(neighbourhood);
        EXPECT_EQ(backup.runFolder(), root / "2026-12-10_03-45-12");
    }
    tzset();
}

TEST_F(AutoBackupTest, FilesOutsideTheGameFolderKeepTheirNameAndNeverReplaceAnotherCopy) {
    fs::path first = put("export/one/Family.iff", "first");
    fs::path second = put("export/two/Family.iff", "second");
    AutoBackup backup = newRun();

    backup.keepOriginal(first);
    backup.keepOriginal(second);

    EXPECT_EQ(ReadTextFile(backup.runFolder() / "Family.iff"), "first");
    EXPECT_EQ(ReadTextFile(backup.runFolder() / "Family-2.iff"), "second");
}

TEST_F(AutoBackupTest, MissingFileCopiesNothingAndMakesNoFolder) {
    AutoBackup backup = newRun();
    EXPECT_NO_THROW(backup.keepOriginal(game / "UserData" / "Characters" / "User00009.iff"));
    EXPECT_TRUE(backup.runFolder().empty());
    EXPECT_FALSE(fs::exists(root));
}

TEST_F(AutoBackupTest, RunsInTheSameSecondGetFoldersOfTheirOwn) {
    fs::path neighbourhood = put("game/UserData/neighborhood.iff", "n");
    std::set<fs::path> runFolders;
    for (int run = 0; run < 3; ++run) {
        AutoBackup backup = newRun();
        backup.keepOriginal(neighbourhood);
        runFolders.insert(backup.runFolder());
        EXPECT_EQ(ReadTextFile(backup.runFolder() / "UserData" / "neighborhood.iff"), "n");
    }
    const std::string first = (*runFolders.begin()).filename().string();
    EXPECT_EQ(namesIn(root), (std::set<std::string>{first, first + "-2", first + "-3"}));
}

// Twenty-one older runs, the oldest three in one second; "-10" came after "-2"
// although it sorts before it letter by letter.
TEST_F(AutoBackupTest, NewRunRemovesRunFoldersBeyondTheNewestTwentyAndNothingElse) {
    std::set<std::string> older = {"2020-01-01_00-00-00", "2020-01-01_00-00-00-2", "2020-01-01_00-00-00-10"};
    for (int second = 1; second <= 18; ++second) {
        older.insert("2020-01-01_00-00-" + std::string(second < 10 ? "0" : "") + std::to_string(second));
    }
    for (const auto& name : older) {
        put(fs::path("app") / "AutoBackup" / name / "neighborhood.iff", name);
    }
    const std::set<std::string> notRuns = {"My saves", "2020-01-01_00-00-00-x", "1999-01-01_00-00-00 old"};
    for (const auto& name : notRuns) {
        fs::create_directories(root / name);
    }
    put(fs::path("app") / "AutoBackup" / "1999-01-01_00-00-00", "a file, not a run");
    fs::path neighbourhood = put("game/UserData/neighborhood.iff", "n");

    AutoBackup backup = newRun();
    backup.keepOriginal(neighbourhood);

    std::set<std::string> expected = older;
    expected.erase("2020-01-01_00-00-00");
    expected.erase("2020-01-01_00-00-00-2");
    expected.insert(notRuns.begin(), notRuns.end());
    expected.insert("1999-01-01_00-00-00");
    expected.insert(backup.runFolder().filename().string());
    EXPECT_EQ(namesIn(root), expected);
}

TEST_F(AutoBackupTest, CopyFailureThrowsNamingTheFileAndTheNextAttemptCopiesAgain) {
    fs::path neighbourhood = put("game/UserData/neighborhood.iff", "original");
    put("app/AutoBackup", "a file where the folder belongs");
    AutoBackup backup = newRun();

    try {
        backup.keepOriginal(neighbourhood);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(neighbourhood.string()), std::string::npos) << error.what();
    }

    fs::remove(root);
    backup.keepOriginal(neighbourhood);
    EXPECT_EQ(ReadTextFile(backup.runFolder() / "UserData" / "neighborhood.iff"), "original");
}

}  // namespace
}  // namespace corvane
