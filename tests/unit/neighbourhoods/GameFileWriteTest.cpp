#include "neighbourhoods/GameFileWrite.h"

#include "platform/AtomicFile.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
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

}  // namespace
}  // namespace corvane
