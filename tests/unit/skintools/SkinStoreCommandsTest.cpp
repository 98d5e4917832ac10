// The duplicate store from the command line: store-duplicate and
// restore-duplicate move files as the duplicate search page does (through
// StoreFinding and RestoreStored), replace only with --replace, and exit 0,
// 1 or 2.
#include "TestPaths.h"
#include "support/CommandLineRun.h"

#include "ValidationSupport.h"
#include "app/Settings.h"
#include "platform/AtomicFile.h"
#include "skins/SkinCatalogue.h"
#include "skintools/DuplicateStore.h"

#include <gtest/gtest.h>

#include <fstream>

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

class SkinStoreCommandsTest : public test::SkinToolsTest {
protected:
    void SetUp() override {
        game.installation(0);
        game.writeText("GameData/Skins/one.bmp", "in the skins");
        game.writeText("GameData/Textures/one.bmp", "in the textures");
    }
    using Result = test::CommandLineResult;
    Result run(std::vector<std::string> words) {
        words.insert(words.begin(), "--quiet");
        return test::RunCommandLineOn(game.root(), std::move(words));
    }

    fs::path stored(const std::string& relative) const { return StoredSkinsFolder() / relative; }
    fs::path inGame(const std::string& relative) const { return game.root() / relative; }
    fs::path trash() const { return folder.path() / "data" / "Trash" / "files"; }

    test::EnvOverride home{"HOME", folder.path().string()};
    test::EnvOverride data{"XDG_DATA_HOME", (folder.path() / "data").string()};
    test::EnvOverride prefix{"WINEPREFIX", std::nullopt};
};

TEST_F(SkinStoreCommandsTest, AFoundDuplicateGoesIntoTheStoreAndComesBack) {
    const Result storing = run({"store-duplicate", "GameData/Skins/one.bmp"});
    ASSERT_EQ(storing.status, 0) << storing.err;
    EXPECT_EQ(storing.out, "stored GameData/Skins/one.bmp in \"" + stored("GameData/Skins/one.bmp").string() + "\"\n");
    EXPECT_EQ(ReadTextFile(stored("GameData/Skins/one.bmp")), "in the skins");
    EXPECT_FALSE(fs::exists(inGame("GameData/Skins/one.bmp")));
    EXPECT_EQ(ReadTextFile(inGame("GameData/Textures/one.bmp")), "in the textures") << "the other copy stays";

    const Result restoring = run({"restore-duplicate", "GameData/Skins/one.bmp"});
    ASSERT_EQ(restoring.status, 0) << restoring.err;
    EXPECT_EQ(ReadTextFile(inGame("GameData/Skins/one.bmp")), "in the skins");
    EXPECT_FALSE(fs::exists(stored("GameData/Skins/one.bmp")));
    EXPECT_FALSE(fs::exists(trash())) << "nothing was replaced";
}

// Each case leaves every file as it was and says why.
TEST_F(SkinStoreCommandsTest, RefusedMovesChangeNothing) {
    const struct {
        const char* fault;
        std::vector<std::string> words;
        int status;
        std::string says;
        void (*setUp)(const fs::path& store, const fs::path& game);
    } cases[] = {
        {"not_a_duplicate", {"store-duplicate", "GameData/Skins/two.bmp"}, 2, "is not a file the duplicate search finds",
         [](const fs::path&, const fs::path& root) { std::ofstream(root / "GameData/Skins/two.bmp") << "only"; }},
        {"stored_copy_in_the_way", {"store-duplicate", "GameData/Skins/one.bmp"}, 2, "--replace replaces it",
         [](const fs::path& store, const fs::path&) {
             fs::create_directories(store / "GameData/Skins");
             std::ofstream(store / "GameData/Skins/one.bmp") << "stored before";
         }},
        {"folder_in_the_store", {"store-duplicate", "GameData/Skins/one.bmp", "--replace"}, 2, "is a folder",
         [](const fs::path& store, const fs::path&) { fs::create_directories(store / "GameData/Skins/one.bmp/x"); }},
        {"nothing_stored", {"restore-duplicate", "GameData/Skins/three.bmp"}, 2, "no stored file", nullptr},
        {"game_file_in_the_way", {"restore-duplicate", "GameData/Skins/one.bmp"}, 2, "--replace replaces it",
         [](const fs::path& store, const fs::path&) {
             fs::create_directories(store / "GameData/Skins");
             std::ofstream(store / "GameData/Skins/one.bmp") << "stored before";
         }},
        {"path_leaving_the_game", {"restore-duplicate", "../one.bmp"}, 2, "does not lie below", nullptr},
        {"absolute_path", {"restore-duplicate", "/tmp/one.bmp"}, 1, "is not a stored file", nullptr},
        {"surplus_argument", {"store-duplicate", "a/b.bmp", "c"}, 1, "surplus argument", nullptr},
        {"dry_run_not_offered", {"store-duplicate", "GameData/Skins/one.bmp", "--dry-run"}, 1, "does not take", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        fs::remove_all(StoredSkinsFolder());
        if (c.setUp) c.setUp(StoredSkinsFolder(), game.root());
        const Result result = run(c.words);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
        EXPECT_EQ(ReadTextFile(inGame("GameData/Skins/one.bmp")), "in the skins");
        EXPECT_EQ(ReadTextFile(inGame("GameData/Textures/one.bmp")), "in the textures");
        if (fs::is_regular_file(stored("GameData/Skins/one.bmp"))) {
            EXPECT_EQ(ReadTextFile(stored("GameData/Skins/one.bmp")), "stored before");
        }
        EXPECT_FALSE(fs::exists(trash()));
    }
}

TEST_F(SkinStoreCommandsTest, WithReplaceTheFileInTheWayGoesToTheTrash) {
    fs::create_directories(StoredSkinsFolder() / "GameData/Skins");
    std::ofstream(stored("GameData/Skins/one.bmp")) << "stored before";
    const Result storing = run({"store-duplicate", "GameData/Skins/one.bmp", "--replace"});
    ASSERT_EQ(storing.status, 0) << storing.err;
    EXPECT_EQ(ReadTextFile(stored("GameData/Skins/one.bmp")), "in the skins");
    EXPECT_EQ(ReadTextFile(trash() / "one.bmp"), "stored before");

    game.writeText("GameData/Skins/one.bmp", "back in the game");
    const Result restoring = run({"restore-duplicate", "GameData/Skins/one.bmp", "--replace"});
    ASSERT_EQ(restoring.status, 0) << restoring.err;
    EXPECT_EQ(ReadTextFile(inGame("GameData/Skins/one.bmp")), "in the skins");
    EXPECT_EQ(ReadTextFile(trash() / "one.2.bmp"), "back in the game");
}

}  // namespace
}  // namespace corvane::cli
