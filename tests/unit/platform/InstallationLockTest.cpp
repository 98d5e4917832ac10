// One writer per game installation, across processes, and the read-only
// editor's refusal of every write to the game.
#include "platform/InstallationLock.h"

#include "platform/AtomicFile.h"
#include "platform/GameWriteGuard.h"
#include "platform/ShellFileOps.h"
#include "platform/Trash.h"
#include "support/ChildLockHolder.h"
#include "support/EnvOverride.h"
#include "support/FaultInjection.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class InstallationLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game / "UserData");
        std::ofstream(game / "UserData/Description.cv") << "as it was";
    }
    void TearDown() override { RefuseWritesBelow({}); }

    test::TempDir folder;
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    test::EnvOverride data{"XDG_DATA_HOME", (folder.path() / "data").string()};
    fs::path game = folder.path() / "game";
};

// Whether another process can take the lock of `path` now.
bool freeForAnotherProcess(const fs::path& path) {
    return test::RunInChild([&] { return InstallationLock::TryTake(path, "child") ? 0 : 1; }) == 0;
}

TEST_F(InstallationLockTest, ASecondHolderIsRefusedAndToldWhoHoldsIt) {
    std::optional<InstallationLock> first = InstallationLock::TryTake(game, "Corvane 3D, process 1");
    ASSERT_TRUE(first);
    EXPECT_FALSE(freeForAnotherProcess(game));
    EXPECT_FALSE(InstallationLock::TryTake(game, "a second one in this process")) << "a second editor window";
    // The same installation by another name: a link to it, a trailing separator.
    fs::create_directory_symlink(game, folder.path() / "link");
    EXPECT_FALSE(freeForAnotherProcess(folder.path() / "link/"));
    EXPECT_EQ(InstallationLock::Holder(folder.path() / "link"), "Corvane 3D, process 1");
    // Another installation has a lock of its own.
    fs::create_directories(folder.path() / "other game");
    EXPECT_TRUE(freeForAnotherProcess(folder.path() / "other game"));
    first.reset();
    EXPECT_TRUE(freeForAnotherProcess(game));
}

// A holder that crashes or is killed leaves no lock behind.
TEST_F(InstallationLockTest, AKilledHolderLeavesNoStaleLock) {
    test::ChildLockHolder editor(game, "killed editor", std::chrono::milliseconds(0));
    ASSERT_TRUE(editor.holds());
    EXPECT_FALSE(InstallationLock::TryTake(game, "test"));
    EXPECT_EQ(InstallationLock::Holder(game), "killed editor");
    editor.kill();
    EXPECT_TRUE(InstallationLock::TryTake(game, "test"));
}

// Read-only, every way of writing refuses below the game folder, and the
// game stays as it was; the application's own folder stays writable.
TEST_F(InstallationLockTest, ReadOnlyEveryWriteToTheGameIsRefused) {
    const fs::path description = game / "UserData/Description.cv";
    fs::create_directories(folder.path() / "outside");
    std::ofstream(folder.path() / "outside/a.bmp") << "outside";
    RefuseWritesBelow(game);
    const struct {
        const char* write;
        std::function<void()> run;
    } writes[] = {
        {"a file replaced all or nothing", [&] { ReplaceFileAtomically(description, "new"); }},
        {"a new file", [&] { ReplaceFileAtomically(game / "UserData/new.txt", "new"); }},
        {"a file sent to the Trash", [&] { MoveToTrash(description); }},
        {"a file copied in", [&] { CopyFileToFolder(folder.path() / "outside/a.bmp", game / "GameData/Skins"); }},
        {"a file moved in", [&] { MoveFile(folder.path() / "outside/a.bmp", game / "a.bmp"); }},
        {"a file moved out", [&] { MoveToNewPath(description, folder.path() / "outside/d.cv"); }},
        {"a folder renamed", [&] { RenameFolder(game / "UserData", game / "UserData2", RenameCollision::Fail); }},
        {"a folder copied in", [&] { CopyFolderTree(folder.path() / "outside", game / "UserData5"); }},
        {"a folder deleted", [&] { DeletePermanently(game / "UserData"); }},
        {"through a link to the game", [&] {
             fs::create_directory_symlink(game, folder.path() / "link");
             ReplaceFileAtomically(folder.path() / "link/UserData/Description.cv", "new");
         }},
    };
    for (const auto& w : writes) {
        SCOPED_TRACE(w.write);
        try {
            w.run();
            ADD_FAILURE() << "written";
        } catch (const GameReadOnlyError& refused) {
            EXPECT_EQ(refused.messageId().value, 7307);
        }
        EXPECT_EQ(ReadTextFile(description), "as it was");
        EXPECT_FALSE(fs::exists(game / "UserData2"));
        EXPECT_FALSE(fs::exists(game / "UserData5"));
        EXPECT_FALSE(fs::exists(game / "GameData"));
    }
    fs::create_directories(folder.path() / "app");
    ReplaceFileAtomically(folder.path() / "app/settings.ini", "the editor's own");
    RefuseWritesBelow({});
    ReplaceFileAtomically(description, "writable again");
    EXPECT_EQ(ReadTextFile(description), "writable again");
}

}  // namespace
}  // namespace corvane
