#include "app/EditorOptions.h"
#include "app/NeighbourhoodSwap.h"

#include "demo/GameBuilder.h"
#include "platform/LanguageModule.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace corvane {
namespace {

// Each neighbourhood folder holds a file naming the neighbourhood it really is.
class NeighbourhoodSwapTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("7044\tA file operation failed.\n", "t.lng"));
        for (const char* name : {"UserData", "UserData2", "UserData3"}) {
            game.neighbourhood(name);
            game.writeText(std::string(name) + "/which.txt", name);
        }
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    std::string contentOf(const std::string& neighbourhood) const {
        std::ifstream in(game.root() / neighbourhood / "which.txt");
        std::string text;
        std::getline(in, text);
        return text;
    }
    std::string gameKey(const char* value) const {
        return registry.read(RegistryRoot::LocalMachine, kGameRegistryKey, value);
    }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    Registry registry{{std::nullopt, folder.path() / "config"}};
    test::ScriptedDialogs dialogs;
};

TEST_F(NeighbourhoodSwapTest, WithoutPacksTheChosenFolderBecomesUserData) {
    SwapNeighbourhoodAtExit(0, 3, game.root(), registry, dialogs);
    EXPECT_EQ(contentOf("UserData"), "UserData3");
    EXPECT_EQ(contentOf("UserData3"), "UserData");
    EXPECT_EQ(contentOf("UserData2"), "UserData2");
    EXPECT_FALSE(std::filesystem::exists(game.root() / "TempData"));
    EXPECT_TRUE(dialogs.messages().empty());

    SwapNeighbourhoodAtExit(0, 1, game.root(), registry, dialogs);
    EXPECT_EQ(contentOf("UserData"), "UserData3") << "neighbourhood 1 is already the first";
    EXPECT_EQ(gameKey("SIMS_CURRENT_NEIGHBORHOOD_NUM"), "") << "no registry value without packs";
}

TEST_F(NeighbourhoodSwapTest, AnOldTempDataFolderIsLeftAlone) {
    game.writeText("TempData/which.txt", "stale");
    SwapNeighbourhoodAtExit(0, 2, game.root(), registry, dialogs);
    EXPECT_EQ(contentOf("UserData"), "UserData2");
    EXPECT_EQ(contentOf("UserData2"), "UserData");
    EXPECT_EQ(contentOf("TempData"), "stale");
}

TEST_F(NeighbourhoodSwapTest, AFailedRenamePutsEverythingBackAndSaysSo) {
    // Neighbourhood 5 has no folder: the second rename fails after the first.
    dialogs.answer(mrOk);
    SwapNeighbourhoodAtExit(0, 5, game.root(), registry, dialogs);
    EXPECT_EQ(contentOf("UserData"), "UserData");
    EXPECT_FALSE(std::filesystem::exists(game.root() / "TempData"));
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    EXPECT_TRUE(dialogs.messageTexts().front().starts_with("A file operation failed.\n"));
    EXPECT_NE(dialogs.messageTexts().front().find("UserData5\" does not exist"), std::string::npos) << "and why";
}

TEST_F(NeighbourhoodSwapTest, WithPacksTheGameKeyNamesTheNeighbourhood) {
    struct Case { int number; const char* path; };
    for (auto [number, path] : {Case{1, "UserData"}, Case{3, "UserData3"}, Case{10, "UserData10"}}) {
        SwapNeighbourhoodAtExit(4, number, game.root(), registry, dialogs);
        EXPECT_EQ(gameKey("SIMS_CURRENT_NEIGHBORHOOD_NUM"), std::to_string(number));
        EXPECT_EQ(gameKey("SIMS_CURRENT_NEIGHBORHOOD_PATH"), path);
    }
    EXPECT_EQ(contentOf("UserData"), "UserData") << "no folder moves with packs";
}

TEST(EditorOptions, RoundTripAndDefaults) {
    test::TempDir folder;
    Registry registry({std::nullopt, folder.path()});
    EditorOptions defaults = ReadEditorOptions(registry);
    EXPECT_FALSE(defaults.openGameAtCurrentNeighbourhood);
    EXPECT_TRUE(defaults.showMissingChildFormals) << "a missing value checks the box";
    registry.write(RegistryRoot::CurrentUser, kEditorRegistryKey, "ChkChildFormals", "false");
    EXPECT_TRUE(ReadEditorOptions(registry).showMissingChildFormals) << "only \"False\" unchecks it";
    WriteEditorOptions(registry, {true, false});
    EXPECT_EQ(registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "SetGamePath"), "True");
    EXPECT_EQ(registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "ChkChildFormals"), "False");
    EditorOptions read = ReadEditorOptions(registry);
    EXPECT_TRUE(read.openGameAtCurrentNeighbourhood);
    EXPECT_FALSE(read.showMissingChildFormals);
}

}  // namespace
}  // namespace corvane
