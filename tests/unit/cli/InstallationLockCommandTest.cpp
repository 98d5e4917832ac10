// Writing commands hold the installation's lock while they run; reading ones
// take none; what interrupted work left is cleaned up at start.
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/InstallationLock.h"
#include "support/ChildLockHolder.h"
#include "unit/cli/DemoGameTest.h"

#include <fstream>

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

class InstallationLockCommandTest : public DemoGameTest {
protected:
    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
};

TEST_F(InstallationLockCommandTest, AWriteWhileAnotherHoldsTheInstallationIsRefusedAndChangesNothing) {
    ASSERT_EQ(runLine({"--game", "GAME", "description", "03", "as it was"}).status, 0);
    test::ChildLockHolder editor(game, "Corvane 3D, process 42", std::chrono::milliseconds(0));
    ASSERT_TRUE(editor.holds());
    const std::vector<std::string> writes[] = {
        {"description", "03", "changed"},
        {"rename-neighbourhood", "03", "UserData9"},
    };
    for (const auto& words : writes) {
        SCOPED_TRACE(words.front());
        std::vector<std::string> line{"--game", "GAME"};
        line.insert(line.end(), words.begin(), words.end());
        const Result result = runLine(line);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("is being changed by Corvane 3D, process 42; nothing was changed"), std::string::npos)
            << result.err;
    }
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData3"), std::optional<std::string>("as it was"));
    EXPECT_EQ(NeighbourhoodFolderNames(game), (std::vector<std::string>{"UserData", "UserData2", "UserData3"}));
    // Reading commands go on beside the editor.
    const std::vector<std::string> reads[] = {{"description", "03"}, {"neighbourhoods"}, {"characters", "01"}};
    for (const auto& words : reads) {
        std::vector<std::string> line{"--game", "GAME"};
        line.insert(line.end(), words.begin(), words.end());
        EXPECT_EQ(runLine(line).status, 0) << words.front();
    }
}

// A holder that finishes within the wait lets the write through.
TEST_F(InstallationLockCommandTest, AWriteWaitsForAHolderThatFinishesSoon) {
    test::ChildLockHolder shortWrite(game, "a short write", std::chrono::milliseconds(300));
    ASSERT_TRUE(shortWrite.holds());
    const Result result = runLine({"--game", "GAME", "description", "03", "after the wait"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData3"), std::optional<std::string>("after the wait"));
}

// What a killed restore and a killed description write left is cleaned up by
// the next command, which says so on stderr; not while the editor holds the
// installation, which did it at its own start.
TEST_F(InstallationLockCommandTest, TheNextCommandCleansUpLeftoversAndSaysSo) {
    const fs::path staged = game / ".UserData3.partial-AbC123";
    const fs::path temporary = game / "UserData3/.Description.cv.Ab12Cd";
    const auto plant = [&] {
        fs::create_directories(staged / "Characters");
        std::ofstream(staged / ".Corvane3D staging") << "incomplete\n";
        std::ofstream(staged / "Characters/User00001.iff") << "half a copy";
        std::ofstream(temporary) << "half a description";
    };
    plant();
    {
        const std::optional<InstallationLock> editor = InstallationLock::TryTake(game, "Corvane 3D, process 42");
        const Result result = runLine({"--game", "GAME", "neighbourhoods"});
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(fs::exists(staged));
        EXPECT_TRUE(fs::exists(temporary));
    }
    for (const char* command : {"neighbourhoods", "backups"}) {
        SCOPED_TRACE(command);
        plant();
        const Result result = runLine({"--game", "GAME", command});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_FALSE(fs::exists(staged));
        EXPECT_FALSE(fs::exists(temporary));
        EXPECT_NE(result.err.find("corvane3d-cli: "), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(staged.string() + ": removed"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(temporary.string() + ": removed"), std::string::npos) << result.err;
    }
    EXPECT_EQ(runLine({"--game", "GAME", "neighbourhoods"}).err, "") << "told once";
}

}  // namespace
}  // namespace corvane::cli
