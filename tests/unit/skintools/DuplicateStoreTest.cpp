#include "skintools/DuplicateStore.h"

#include "ValidationSupport.h"
#include "platform/AtomicFile.h"
#include "platform/SystemCalls.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class DuplicateStoreTest : public test::SkinToolsTest {
protected:
    // A finding for the file at `relative` below the game.
    ProblemRecordDetails findingFor(const std::string& relative) {
        return ProblemAbout(game.root() / relative, "copy", "Duplicate");
    }
    void storeText(const std::string& relative, const std::string& text) {
        fs::create_directories((places.storeFolder / relative).parent_path());
        ReplaceFileAtomically(places.storeFolder / relative, text);
    }
    // The names in a folder, hidden ones included.
    static std::vector<std::string> entries(const fs::path& dir) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> leaves(const SkinTree& tree) const {
        std::vector<std::string> names;
        for (const auto& group : tree.groups) {
            for (const auto& leaf : group.leaves) names.push_back(group.folder + leaf.fileName);
        }
        return names;
    }

    test::EnvOverride dataHome{"XDG_DATA_HOME", (folder.path() / "data").string()};
    DuplicatePlaces places{game.root(), StoredSkinsFolder()};
    test::ScriptedDialogs dialogs;
};

TEST_F(DuplicateStoreTest, TheStoreIsBesideTheEditor) {
    EXPECT_EQ(StoredSkinsFolder(), folder.path() / "app" / "CMX_SKN");
}

TEST_F(DuplicateStoreTest, TreesGroupFindingsByFolderRelativeToTheirRoot) {
    const ProblemList findings{findingFor("GameData/Skins/x.bmp"), findingFor("Deluxe/Skins/y.bmp"),
                               ProblemAbout(game.root() / "gamedata/skins/z.bmp", "", "Duplicate")};
    const SkinTree tree = FoundDuplicatesTree(findings, game.root());
    EXPECT_EQ(tree.root, game.root().string());
    ASSERT_EQ(tree.groups.size(), 2u) << "folders are compared ignoring letter case";
    EXPECT_EQ(tree.groups[0].folder, "GameData/Skins/");
    EXPECT_EQ(leaves(tree), (std::vector<std::string>{"GameData/Skins/x.bmp", "GameData/Skins/z.bmp",
                                                      "Deluxe/Skins/y.bmp"}));
    ASSERT_TRUE(tree.groups[1].leaves[0].finding.has_value());
    EXPECT_EQ(tree.groups[1].leaves[0].finding->FileName, "y.bmp");

    storeText("GameData/Skins/a.bmp", "a");
    storeText("loose.txt", "b");
    EXPECT_EQ(leaves(StoredSkinsTree(places.storeFolder)),
              (std::vector<std::string>{"loose.txt", "GameData/Skins/a.bmp"}));
}

TEST_F(DuplicateStoreTest, ALinkBackUpTheStoreIsFollowedOnce) {
    storeText("GameData/Skins/a.bmp", "a");
    fs::create_directory_symlink(places.storeFolder, places.storeFolder / "GameData/Skins/loop");
    EXPECT_EQ(leaves(StoredSkinsTree(places.storeFolder)), std::vector<std::string>{"GameData/Skins/a.bmp"});

    // Two ways to one folder: its files are listed at the first.
    fs::remove(places.storeFolder / "GameData/Skins/loop");
    fs::create_directory_symlink(places.storeFolder / "GameData/Skins", places.storeFolder / "again");
    EXPECT_EQ(leaves(StoredSkinsTree(places.storeFolder)), std::vector<std::string>{"GameData/Skins/a.bmp"});
}

TEST_F(DuplicateStoreTest, StoringMovesTheFileAndPrunesEveryFindingOfItsName) {
    game.writeText("GameData/Skins/x.bmp", "first");
    game.writeText("Deluxe/Skins/X.BMP", "second");
    DuplicateTrees trees{FoundDuplicatesTree({findingFor("GameData/Skins/x.bmp"), findingFor("Deluxe/Skins/X.BMP"),
                                              findingFor("Deluxe/Skins/y.bmp")},
                                             game.root()),
                         StoredSkinsTree(places.storeFolder)};

    EXPECT_EQ(StoreFinding(trees, trees.found.groups[0].leaves[0].finding.value(), places, dialogs),
              MoveOutcome::Moved);

    EXPECT_EQ(ReadTextFile(places.storeFolder / "GameData/Skins/x.bmp"), "first");
    EXPECT_FALSE(fs::exists(game.root() / "GameData/Skins/x.bmp"));
    EXPECT_TRUE(fs::exists(game.root() / "Deluxe/Skins/X.BMP")) << "the other copy stays in the game";
    EXPECT_EQ(leaves(trees.found), std::vector<std::string>{"Deluxe/Skins/y.bmp"});
    EXPECT_EQ(leaves(trees.stored), std::vector<std::string>{"GameData/Skins/x.bmp"});
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DuplicateStoreTest, StoringAFileThatIsGoneOnlyPrunesTheTree) {
    DuplicateTrees trees{FoundDuplicatesTree({findingFor("GameData/Skins/x.bmp")}, game.root()), {}};
    EXPECT_EQ(StoreFinding(trees, findingFor("GameData/Skins/x.bmp"), places, dialogs), MoveOutcome::SourceMissing);
    EXPECT_EQ(trees.found.leafCount(), 0u);
    EXPECT_EQ(trees.stored.leafCount(), 0u);
}

TEST_F(DuplicateStoreTest, AFailedStoreKeepsTheFileAndTheFindings) {
    game.writeText("GameData/Skins/x.bmp", "first");
    storeText("GameData", "a file where the folder would go");
    DuplicateTrees trees{FoundDuplicatesTree({findingFor("GameData/Skins/x.bmp")}, game.root()), {}};
    try {
        StoreFinding(trees, findingFor("GameData/Skins/x.bmp"), places, dialogs);
        FAIL() << "the move cannot succeed";
    } catch (const SkinMoveError& error) {
        EXPECT_EQ(error.messageId().value, 8049);
        EXPECT_TRUE(std::string(error.what()).starts_with("The file could not be moved.")) << error.what();
    }
    EXPECT_EQ(ReadTextFile(game.root() / "GameData/Skins/x.bmp"), "first");
    EXPECT_EQ(trees.found.leafCount(), 1u);
    EXPECT_EQ(leaves(trees.stored), std::vector<std::string>{"GameData/Skins/x.bmp"})
        << "the stored entry added before the move stays";
}

TEST_F(DuplicateStoreTest, RestoringCreatesTheMissingFolders) {
    storeText("ExpansionPack3/Skins/z.bmp", "stored");
    DuplicateTrees trees{{}, StoredSkinsTree(places.storeFolder)};
    EXPECT_EQ(RestoreStored(trees, "ExpansionPack3/Skins/", "z.bmp", places, dialogs), MoveOutcome::Moved);
    EXPECT_EQ(ReadTextFile(game.root() / "ExpansionPack3/Skins/z.bmp"), "stored");
    EXPECT_FALSE(fs::exists(places.storeFolder / "ExpansionPack3/Skins/z.bmp"));
    EXPECT_EQ(trees.stored.leafCount(), 0u);
}

TEST_F(DuplicateStoreTest, RestoringOverAFileBackInTheGameAsksFirst) {
    storeText("GameData/Skins/x.bmp", "stored");
    game.writeText("gamedata/skins/X.bmp", "in the game");
    DuplicateTrees trees{{}, StoredSkinsTree(places.storeFolder)};

    dialogs.answer(mrNo);
    EXPECT_EQ(RestoreStored(trees, "GameData/Skins/", "x.bmp", places, dialogs), MoveOutcome::Declined);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].text.find(LangStr(kReplaceGameFileWithStored)), std::string::npos);
    EXPECT_EQ(ReadTextFile(game.root() / "gamedata/skins/X.bmp"), "in the game");
    EXPECT_EQ(ReadTextFile(places.storeFolder / "GameData/Skins/x.bmp"), "stored");
    EXPECT_EQ(trees.stored.leafCount(), 1u);

    dialogs.answer(mrYes);
    EXPECT_EQ(RestoreStored(trees, "GameData/Skins/", "x.bmp", places, dialogs), MoveOutcome::Moved);
    EXPECT_EQ(ReadTextFile(game.root() / "gamedata/skins/X.bmp"), "stored")
        << "the file in the game is the one replaced, whatever its letter case";
    EXPECT_FALSE(fs::exists(places.storeFolder / "GameData/Skins/x.bmp"));
    EXPECT_EQ(ReadTextFile(folder.path() / "data/Trash/files/X.bmp"), "in the game") << "the replaced file is in the Trash";
    EXPECT_EQ(trees.stored.leafCount(), 0u);
}

// The first rename onto `target` fails, as a full or protected folder would
// make it; the renames after it (putting things back) run.
class FirstRenameOntoFails {
public:
    explicit FirstRenameOntoFails(fs::path target)
        : previous_(sys::SetCallHook([this, target = std::move(target).string()](sys::Call call, const std::string& to) {
              if (call != sys::Call::Rename || to != target || failed_) return 0;
              failed_ = true;
              return EACCES;
          })) {}
    ~FirstRenameOntoFails() { sys::SetCallHook(std::move(previous_)); }
    FirstRenameOntoFails(const FirstRenameOntoFails&) = delete;
    FirstRenameOntoFails& operator=(const FirstRenameOntoFails&) = delete;
    bool failed() const { return failed_; }

private:
    bool failed_ = false;
    sys::CallHook previous_;
};

TEST_F(DuplicateStoreTest, AFailedMoveOverAFileKeepsBothFilesInPlace) {
    storeText("GameData/Skins/x.bmp", "stored");
    game.writeText("GameData/Skins/x.bmp", "in the game");
    DuplicateTrees trees{{}, StoredSkinsTree(places.storeFolder)};
    dialogs.answer(mrYes);
    {
        const FirstRenameOntoFails refused(game.root() / "GameData/Skins/x.bmp");
        EXPECT_THROW(RestoreStored(trees, "GameData/Skins/", "x.bmp", places, dialogs), SkinMoveError);
        EXPECT_TRUE(refused.failed());
    }
    EXPECT_EQ(ReadTextFile(game.root() / "GameData/Skins/x.bmp"), "in the game");
    EXPECT_EQ(ReadTextFile(places.storeFolder / "GameData/Skins/x.bmp"), "stored");
    EXPECT_EQ(entries(game.root() / "GameData/Skins"), std::vector<std::string>{"x.bmp"}) << "nothing left aside";
    EXPECT_FALSE(fs::exists(folder.path() / "data/Trash/files/x.bmp")) << "the game's file is not in the Trash";
    EXPECT_EQ(trees.stored.leafCount(), 1u);

    // Once the move succeeds, the replaced file is in the Trash, recorded at its own place.
    dialogs.answer(mrYes);
    EXPECT_EQ(RestoreStored(trees, "GameData/Skins/", "x.bmp", places, dialogs), MoveOutcome::Moved);
    EXPECT_EQ(ReadTextFile(game.root() / "GameData/Skins/x.bmp"), "stored");
    EXPECT_EQ(entries(game.root() / "GameData/Skins"), std::vector<std::string>{"x.bmp"});
    EXPECT_EQ(ReadTextFile(folder.path() / "data/Trash/files/x.bmp"), "in the game");
    EXPECT_NE(ReadTextFile(folder.path() / "data/Trash/info/x.bmp.trashinfo")
                  .find((game.root() / "GameData/Skins/x.bmp").string()),
              std::string::npos);
}

TEST_F(DuplicateStoreTest, AFolderWhereTheFileWouldGoIsRefusedWithoutAsking) {
    storeText("GameData/Skins/x.bmp", "stored");
    fs::create_directories(game.root() / "GameData/Skins/x.bmp/inside");
    DuplicateTrees trees{{}, StoredSkinsTree(places.storeFolder)};
    try {
        RestoreStored(trees, "GameData/Skins/", "x.bmp", places, dialogs);
        FAIL() << "a folder is not replaced by a file";
    } catch (const SkinMoveError& error) {
        EXPECT_EQ(error.messageId().value, 8049);
    }
    EXPECT_TRUE(dialogs.messages().empty()) << "no question about replacing a file";
    EXPECT_TRUE(fs::is_directory(game.root() / "GameData/Skins/x.bmp/inside"));
    EXPECT_EQ(ReadTextFile(places.storeFolder / "GameData/Skins/x.bmp"), "stored");
    EXPECT_EQ(trees.stored.leafCount(), 1u);
}

TEST_F(DuplicateStoreTest, StoringOverAStoredCopyAsksFirst) {
    storeText("GameData/Skins/x.bmp", "stored before");
    game.writeText("GameData/Skins/x.bmp", "in the game");
    DuplicateTrees trees{FoundDuplicatesTree({findingFor("GameData/Skins/x.bmp")}, game.root()),
                         StoredSkinsTree(places.storeFolder)};
    dialogs.answer(mrNo);
    EXPECT_EQ(StoreFinding(trees, findingFor("GameData/Skins/x.bmp"), places, dialogs), MoveOutcome::Declined);
    EXPECT_EQ(trees.found.leafCount(), 1u);
    EXPECT_EQ(ReadTextFile(game.root() / "GameData/Skins/x.bmp"), "in the game");
}

TEST_F(DuplicateStoreTest, NamesThatWouldLeaveTheStoreAreRefused) {
    DuplicateTrees trees;
    EXPECT_THROW(RestoreStored(trees, "../", "x.bmp", places, dialogs), SkinMoveError);
    EXPECT_THROW(RestoreStored(trees, "GameData/", "../../x.bmp", places, dialogs), SkinMoveError);
}

TEST_F(DuplicateStoreTest, InformationTextsJoinTheirMessages) {
    EXPECT_EQ(RestoredInfo(true), LangStr(7132) + " " + LangStr(7133));
    EXPECT_EQ(RestoredInfo(false), LangStr(7137) + " " + LangStr(7138));
    EXPECT_EQ(StoredTreeHelp(), LangStr(7134) + " " + LangStr(7135) + " " + LangStr(7136));
    EXPECT_TRUE(FoundTreeHelp().starts_with(LangStr(7128) + " " + LangStr(7129)));
}

}  // namespace
}  // namespace corvane
