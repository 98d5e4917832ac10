#include "TestPaths.h"
#include "neighbourhoods/GameFileWrite.h"

#include "neighbourhoods/InterruptedSaveReport.h"
#include "platform/AtomicFile.h"
#include "platform/LanguageModule.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <string>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class GameFileWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(neighbourhood.parent_path());
        std::ofstream(neighbourhood, std::ios::binary) << "original";
    }

    void write(const std::string& text) {
        const std::vector<std::uint8_t> bytes(text.begin(), text.end());
        WriteGameFile(neighbourhood, bytes, game);
    }

    test::TempDir folder;
    test::EnvOverride home{"CORVANE_HOME", (folder.path() / "app").string()};
    fs::path game = folder.path() / "game";
    fs::path neighbourhood = game / "UserData" / "neighborhood.iff";
};

TEST_F(GameFileWriteTest, WritesTheBytesAfterKeepingTheOriginalInTheApplicationFolderOncePerRun) {
    write("first save");
    write("second save");

    EXPECT_EQ(ReadTextFile(neighbourhood), "second save");
    std::vector<fs::path> runs;
    for (const auto& entry : fs::directory_iterator(folder.path() / "app" / "AutoBackup")) {
        runs.push_back(entry.path());
    }
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(ReadTextFile(runs[0] / "UserData" / "neighborhood.iff"), "original");
}

TEST_F(GameFileWriteTest, WritesNothingWhenNoCopyCanBeKept) {
    fs::create_directories(folder.path() / "app");
    std::ofstream(folder.path() / "app" / "AutoBackup") << "a file where the folder belongs";

    EXPECT_THROW(write("save"), std::runtime_error);
    EXPECT_EQ(ReadTextFile(neighbourhood), "original");
}

// A file-size limit makes the copy's write fail (the programs ignore SIGXFSZ):
// the backup folder keeps no half copy, and the game file stays as it was.
TEST_F(GameFileWriteTest, AFileSizeLimitLeavesNoPartialCopyAndNoTemporaryFile) {
    std::ofstream(neighbourhood, std::ios::binary) << std::string(64 * 1024, 'x');
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = 16 * 1024;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    std::string reported;
    try {
        write("small");
    } catch (const std::runtime_error& failure) {
        reported = failure.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(reported.find(neighbourhood.string()), std::string::npos) << reported;
    EXPECT_EQ(ReadTextFile(neighbourhood), std::string(64 * 1024, 'x'));
    for (const fs::path& root : {folder.path() / "app", game}) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            EXPECT_FALSE(entry.is_regular_file() && entry.path() != neighbourhood &&
                         entry.path().filename() != "SaveJournal.txt.lock")
                << "left behind: " << entry.path();
        }
    }
}

// The next start finishes a save that was cut off and says what it did;
// half-made backup copies of a killed run are removed, the player's own files there kept.
TEST_F(GameFileWriteTest, TheNextStartUndoesAPreparedSaveAndSaysWhichFiles) {
    SetLanguageModule(LanguageModule::load(fs::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
    const fs::path waiting = neighbourhood.parent_path() / ".neighborhood.iff.Qw3rty";
    ReplaceFileAtomically(waiting, "half a save");
    fs::create_directories(SaveJournalFile().parent_path());
    ReplaceFileAtomically(SaveJournalFile(), "Corvane 3D save journal\nprepared\n" + waiting.string() + "\t" +
                                                 neighbourhood.string() + "\n");
    const fs::path run = folder.path() / "app" / "AutoBackup" / "2026-12-10_14-05-33" / "UserData";
    fs::create_directories(run);
    std::ofstream(run / ".neighborhood.iff.a1B2c3") << "half a copy";
    std::ofstream(run / "notes.txt") << "the player's";

    const InterruptedSaveReport report = FinishInterruptedSaveAndDescribe();
    EXPECT_EQ(report.text, LangStr(7191) + "\n" + neighbourhood.string());
    EXPECT_FALSE(report.failed);
    EXPECT_FALSE(fs::exists(waiting));
    EXPECT_FALSE(fs::exists(run / ".neighborhood.iff.a1B2c3"));
    EXPECT_TRUE(fs::exists(run / "notes.txt"));
    EXPECT_EQ(ReadTextFile(neighbourhood), "original");
    EXPECT_EQ(FinishInterruptedSaveAndDescribe().text, "") << "told once";
    SetLanguageModule(LanguageModule());
}

}  // namespace
}  // namespace corvane
