// Backups, restores, copies, renames and deletions of whole neighbourhoods,
// and the folder names and descriptions the Neighbourhood page shows.
#include "neighbourhoods/NeighbourhoodCopies.h"

#include "demo/GameBuilder.h"
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/ShellFileOps.h"
#include "support/EnvOverride.h"
#include "support/FaultInjection.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Every entry below `folder` by its relative path: a file's bytes, or "<folder>".
using Tree = std::map<std::string, std::string>;

Tree treeOf(const fs::path& folder) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_directory()) {
            tree[relative] = "<folder>";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            tree[relative] = bytes.str();
        }
    }
    return tree;
}

// The hidden entries of a folder: what a failed operation must not leave behind.
// (in name order)
std::vector<std::string> hiddenEntries(const fs::path& folder) {
    std::vector<std::string> hidden;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') hidden.push_back(entry.path().filename().string());
    }
    std::sort(hidden.begin(), hidden.end());
    return hidden;
}

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class NeighbourhoodCopiesTest : public ::testing::Test {
protected:
    // A neighbourhood with every kind of content: carried files, a folder
    // inside a carried one, a carried folder in other letter case, "Web Pages"
    // with a subfolder, and a folder that is not carried.
    fs::path makeNeighbourhood(const std::string& name) {
        const fs::path folder = builder.neighbourhood(name);
        builder.writeText(name + "/Characters/User00001.iff", "character of " + name);
        builder.writeText(name + "/Characters/Extra/notes.txt", "not carried");
        builder.writeText(name + "/Houses/House01.iff", "house");
        builder.writeText(name + "/photoalbum/pic.bmp", "picture");
        builder.writeText(name + "/Web Pages/index.htm", "web");
        builder.writeText(name + "/Web Pages/images/a.gif", "gif");
        builder.writeText(name + "/Junk/stuff.bin", "junk");
        return folder;
    }
    fs::path trashed(const std::string& name) const { return dir.path() / "data/Trash/files" / name; }

    test::TempDir dir;
    test::EnvOverride data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    GameBuilder builder{dir.path() / "game"};
    fs::path game = dir.path() / "game";
    fs::path backups = dir.path() / "app/Neighborhoods";
    SilentProgress progress;
};

TEST_F(NeighbourhoodCopiesTest, BackupCarriesTopFilesFilesOfCarriedFoldersAndWebPagesWhole) {
    const fs::path source = makeNeighbourhood("UserData3");
    const NeighbourhoodCopyResult result = BackUpNeighbourhood(source, backups, progress);
    EXPECT_EQ(result.folder, backups / "UserData3");
    EXPECT_FALSE(result.replaced);
    Tree expected = treeOf(source);
    for (const char* left : {"Characters/Extra", "Characters/Extra/notes.txt", "Junk", "Junk/stuff.bin"}) {
        ASSERT_EQ(expected.erase(left), 1u) << left;
    }
    EXPECT_EQ(treeOf(result.folder), expected);
    EXPECT_TRUE(hiddenEntries(backups).empty());
}

TEST_F(NeighbourhoodCopiesTest, BackupOverAnOlderBackupReplacesItWholeAndTrashesTheOldOne) {
    const fs::path source = makeNeighbourhood("UserData3");
    // The older backup in other letter case is the same backup.
    write(backups / "userdata3/old-only.txt", "old");
    write(backups / "userdata3/Characters/User00001.iff", "old character");
    const NeighbourhoodCopyResult result = BackUpNeighbourhood(source, backups, progress);
    EXPECT_EQ(NeighbourhoodFolderNames(backups), std::vector<std::string>{"userdata3"});
    EXPECT_EQ(treeOf(result.folder), treeOf(BackUpNeighbourhood(source, dir.path() / "fresh", progress).folder));
    ASSERT_TRUE(result.replaced);
    EXPECT_EQ(result.replaced->item, trashed("userdata3"));
    EXPECT_TRUE(fs::exists(trashed("userdata3/old-only.txt")));
    // Restoring it from the Trash puts it back where it was.
    std::ifstream info(result.replaced->info);
    const std::string infoText((std::istreambuf_iterator<char>(info)), std::istreambuf_iterator<char>());
    EXPECT_NE(infoText.find("Path=" + (backups / "userdata3").string() + "\n"), std::string::npos) << infoText;
    EXPECT_TRUE(hiddenEntries(backups).empty());
}

// Only a folder is replaced; a file that has the backup's name stays.
TEST_F(NeighbourhoodCopiesTest, AFileWithTheTargetsNameIsNeverReplaced) {
    const fs::path source = makeNeighbourhood("UserData3");
    write(backups / "UserData3", "a file, not a backup");
    EXPECT_THROW(BackUpNeighbourhood(source, backups, progress), NeighbourhoodCopyError);
    EXPECT_EQ(treeOf(backups), (Tree{{"UserData3", "a file, not a backup"}}));
    write(game / "UserData4", "a file, not a neighbourhood");
    EXPECT_THROW(RestoreNeighbourhood(backups / "UserData3", game / "UserData4", progress), NeighbourhoodCopyError);
    EXPECT_FALSE(fs::exists(dir.path() / "data/Trash/files"));
}

// What a crash left of an earlier backup: the old backup set aside while its
// name was free goes back first; a staged copy goes to the Trash (it may hold
// an old backup swapped out); nothing is deleted for good, and the leftovers
// of other names stay.
TEST_F(NeighbourhoodCopiesTest, AnInterruptedBackupIsRecoveredAndNothingIsDeletedForGood) {
    const fs::path source = makeNeighbourhood("UserData3");
    write(backups / ".UserData3.partial-a1B2c3/Characters/User00001.iff", "half a copy");
    write(backups / ".UserData3.old-d4E5f6/UserData3/old.txt", "the old backup");
    write(backups / ".UserData4.partial-a1B2c3/x", "another neighbourhood's");
    const NeighbourhoodCopyResult result = BackUpNeighbourhood(source, backups, progress);
    ASSERT_TRUE(result.replaced) << "the old backup came back and was replaced";
    EXPECT_TRUE(fs::exists(result.replaced->item / "old.txt"));
    EXPECT_TRUE(fs::exists(trashed(".UserData3.partial-a1B2c3") / "Characters/User00001.iff"));
    EXPECT_EQ(hiddenEntries(backups), std::vector<std::string>{".UserData4.partial-a1B2c3"});
}

// When the Trash refuses the replaced backup, the new one is still in place
// and the old one is kept whole beside it, and the result says where.
TEST_F(NeighbourhoodCopiesTest, AReplacedFolderTheTrashRefusesIsKept) {
    const fs::path source = makeNeighbourhood("UserData3");
    write(backups / "UserData3/old-only.txt", "old");
    const NeighbourhoodCopyResult result = [&] {
        const test::RefusedRenames refused("/Trash/files/");
        return BackUpNeighbourhood(source, backups, progress);
    }();
    EXPECT_FALSE(result.replaced);
    EXPECT_TRUE(fs::exists(backups / "UserData3/Characters/User00001.iff"));
    const std::vector<std::string> hidden = hiddenEntries(backups);
    ASSERT_EQ(hidden.size(), 1u);
    // Swapped out in one step, or renamed aside where the file system cannot swap.
    fs::path kept = backups / hidden.front();
    if (!fs::exists(kept / "old-only.txt")) kept /= "UserData3";
    EXPECT_EQ(treeOf(kept), (Tree{{"old-only.txt", "old"}}));
    EXPECT_NE(result.replacedKept.find(kept.string()), std::string::npos) << result.replacedKept;
}

TEST_F(NeighbourhoodCopiesTest, RestoringAMissingNeighbourhoodCreatesIt) {
    const fs::path source = makeNeighbourhood("UserData3");
    const fs::path backup = BackUpNeighbourhood(source, backups, progress).folder;
    fs::remove_all(source);
    const NeighbourhoodCopyResult result = RestoreNeighbourhood(backup, game / "UserData3", progress);
    EXPECT_EQ(result.folder, source);
    EXPECT_FALSE(result.replaced);
    EXPECT_EQ(treeOf(source), treeOf(backup));
}

TEST_F(NeighbourhoodCopiesTest, RestoringOverANeighbourhoodKeepsWhatTheBackupDoesNotCarry) {
    const fs::path source = makeNeighbourhood("UserData3");
    const fs::path backup = BackUpNeighbourhood(source, backups, progress).folder;
    builder.writeText("UserData3/top-only.txt", "gone");
    builder.writeText("UserData3/Characters/User00001.iff", "damaged");
    builder.writeText("UserData3/Characters/User00002.iff", "gone");
    builder.writeText("UserData3/Characters/Extra/more.txt", "kept");
    builder.writeText("UserData3/Web Pages/extra.htm", "gone");
    builder.writeText("UserData3/Patch/p.txt", "kept: the backup has no Patch folder");
    builder.writeText("UserData3/Junk2/file", "kept");

    const NeighbourhoodCopyResult result = RestoreNeighbourhood(backup, game / "USERDATA3", progress);
    EXPECT_EQ(result.folder, source) << "the existing folder keeps its name";
    const Tree restored = treeOf(source);
    const struct {
        const char* path;
        const char* content;  // nullptr: gone
    } cases[] = {
        {"top-only.txt", nullptr},
        {"Characters/User00001.iff", "character of UserData3"},
        {"Characters/User00002.iff", nullptr},
        {"Characters/Extra/notes.txt", "not carried"},
        {"Characters/Extra/more.txt", "kept"},
        {"Web Pages/extra.htm", nullptr},
        {"Web Pages/images/a.gif", "gif"},
        {"photoalbum/pic.bmp", "picture"},
        {"Patch/p.txt", "kept: the backup has no Patch folder"},
        {"Junk/stuff.bin", "junk"},
        {"Junk2/file", "kept"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto found = restored.find(c.path);
        if (c.content == nullptr) {
            EXPECT_EQ(found, restored.end());
        } else {
            ASSERT_NE(found, restored.end());
            EXPECT_EQ(found->second, c.content);
        }
    }
    EXPECT_EQ(restored.at("neighborhood.iff"), treeOf(backup).at("neighborhood.iff"));
    ASSERT_TRUE(result.replaced);
    EXPECT_TRUE(fs::exists(result.replaced->item / "top-only.txt")) << "the old neighbourhood is in the Trash";
    EXPECT_TRUE(hiddenEntries(game).empty());
}

TEST_F(NeighbourhoodCopiesTest, CopiesMakeNewFoldersOnly) {
    const fs::path source = makeNeighbourhood("UserData3");
    const fs::path backup = BackUpNeighbourhood(source, backups, progress).folder;
    write(backup / "Junk/own.txt", "a backup copy takes everything");

    EXPECT_EQ(treeOf(CopyNeighbourhood(source, game / "UserData4", progress)),
              treeOf(BackUpNeighbourhood(source, dir.path() / "fresh", progress).folder));
    EXPECT_EQ(treeOf(CopyBackup(backup, backups / "UserData7", progress)), treeOf(backup));
    EXPECT_THROW(CopyNeighbourhood(source, game / "userdata4", progress), NeighbourhoodCopyError);
    EXPECT_THROW(CopyBackup(backup, backups / "USERDATA7", progress), ShellOperationError);
    EXPECT_EQ(NeighbourhoodFolderNames(game), (std::vector<std::string>{"UserData3", "UserData4"}));
}

// A copy that fails halfway leaves its target exactly as it was and no
// temporary folder behind, for each operation and each kind of fault.
TEST_F(NeighbourhoodCopiesTest, ACopyFailingHalfwayLeavesTheTargetAsItWas) {
    const struct {
        const char* fault;
        bool needsNonRoot;  // the administrator reads every file
        std::function<void(const fs::path& source)> make;
    } faults[] = {
        {"an unreadable file", true,
         [](const fs::path& source) { fs::permissions(source / "Characters/User00001.iff", fs::perms::none); }},
        {"a pipe in Web Pages", false,
         [](const fs::path& source) { ASSERT_EQ(::mkfifo((source / "Web Pages/pipe").c_str(), 0600), 0); }},
    };
    using Operation = std::function<void(const fs::path& neighbourhood, const fs::path& backup)>;
    const struct {
        const char* name;
        bool faultInBackup;
        fs::path target;
        int message;  // a failed copy of a backup is a failed shell operation
        Operation run;
    } operations[] = {
        {"backup over a backup", false, backups / "UserData3", 7021,
         [&](const fs::path& n, const fs::path&) { BackUpNeighbourhood(n, backups, progress); }},
        {"restore over a neighbourhood", true, game / "UserData3", 7021,
         [&](const fs::path&, const fs::path& b) { RestoreNeighbourhood(b, game / "UserData3", progress); }},
        {"copy to a new neighbourhood", false, game / "UserData4", 7021,
         [&](const fs::path& n, const fs::path&) { CopyNeighbourhood(n, game / "UserData4", progress); }},
        {"copy of a backup", true, backups / "UserData4", 7044,
         [&](const fs::path&, const fs::path& b) { CopyBackup(b, backups / "UserData4", progress); }},
    };
    for (const auto& fault : faults) {
        if (fault.needsNonRoot && ::geteuid() == 0) continue;
        for (const auto& operation : operations) {
            SCOPED_TRACE(std::string(operation.name) + " with " + fault.fault);
            fs::remove_all(game);
            fs::remove_all(backups);
            const fs::path neighbourhood = makeNeighbourhood("UserData3");
            const fs::path backup = BackUpNeighbourhood(neighbourhood, backups, progress).folder;
            builder.writeText("UserData3/Characters/User00001.iff", "changed since the backup");
            fault.make(operation.faultInBackup ? backup : neighbourhood);
            const bool existed = fs::exists(operation.target);
            const Tree before = existed ? treeOf(operation.target) : Tree();

            const fs::path source = operation.faultInBackup ? backup : neighbourhood;
            auto expectNamed = [&](MessageId message, const std::string& what) {
                EXPECT_EQ(message.value, operation.message);
                EXPECT_NE(what.find(source.string()), std::string::npos) << what;
            };
            try {
                operation.run(neighbourhood, backup);
                ADD_FAILURE() << "no error";
            } catch (const NeighbourhoodCopyError& error) {
                expectNamed(error.messageId(), error.what());
            } catch (const ShellOperationError& error) {
                expectNamed(error.messageId(), error.what());
            }
            ASSERT_EQ(fs::exists(operation.target), existed);
            if (existed) {
                EXPECT_EQ(treeOf(operation.target), before);
            }
            EXPECT_TRUE(hiddenEntries(game).empty());
            EXPECT_TRUE(hiddenEntries(backups).empty());
            EXPECT_FALSE(fs::exists(dir.path() / "data/Trash/files")) << "nothing went to the Trash";
            fs::permissions(neighbourhood / "Characters/User00001.iff", fs::perms::owner_all);
            fs::permissions(backup / "Characters/User00001.iff", fs::perms::owner_all);
        }
    }
}

TEST_F(NeighbourhoodCopiesTest, UserDataIsNeverDeletedAndKeepsItsNameAboveLevelZero) {
    const struct {
        const char* name;
        int level;
        bool deletable;
        bool renamable;
    } cases[] = {
        {"UserData", 0, false, true},   {"UserData", 1, false, false}, {"userdata", 7, false, false},
        {"UserData2", 7, true, true},   {"UserData10", 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at level " + std::to_string(c.level));
        EXPECT_EQ(MayDeleteNeighbourhood(c.name), c.deletable);
        EXPECT_EQ(MayRenameNeighbourhood(c.name, c.level), c.renamable);
    }

    const fs::path main = builder.neighbourhood("UserData");
    try {
        DeleteNeighbourhood(main, NeighbourhoodPlace::Game);
        ADD_FAILURE() << "UserData deleted";
    } catch (const NeighbourhoodRuleError& error) {
        EXPECT_EQ(error.messageId().value, 7104);
    }
    try {
        RenameNeighbourhood(main, "UserData2", NeighbourhoodPlace::Game, 1);
        ADD_FAILURE() << "UserData renamed";
    } catch (const NeighbourhoodRuleError& error) {
        EXPECT_EQ(error.messageId().value, 7106);
    }
    EXPECT_EQ(NeighbourhoodFolderNames(game), std::vector<std::string>{"UserData"});

    // A backup named UserData has no such rule.
    const fs::path backup = BackUpNeighbourhood(main, backups, progress).folder;
    EXPECT_EQ(RenameNeighbourhood(backup, "UserData5", NeighbourhoodPlace::Backups, 1), backups / "UserData5");
    EXPECT_EQ(DeleteNeighbourhood(backups / "UserData5", NeighbourhoodPlace::Backups).item, trashed("UserData5"));
    EXPECT_TRUE(NeighbourhoodFolderNames(backups).empty());
}

TEST_F(NeighbourhoodCopiesTest, RenameRefusesATakenNameAndLeavesBoth) {
    makeNeighbourhood("UserData2");
    makeNeighbourhood("userdata3");
    const Tree before = treeOf(game);
    EXPECT_THROW(RenameNeighbourhood(game / "UserData2", "UserData3", NeighbourhoodPlace::Game, 0),
                 ShellOperationError);
    EXPECT_EQ(treeOf(game), before);
    EXPECT_EQ(RenameNeighbourhood(game / "UserData2", "UserData", NeighbourhoodPlace::Game, 0), game / "UserData");
    EXPECT_EQ(NeighbourhoodFolderNames(game), (std::vector<std::string>{"UserData", "userdata3"}));
}

TEST_F(NeighbourhoodCopiesTest, FreeNamesNeverOfferATakenName) {
    fs::create_directories(game / "userdata2");
    fs::create_directories(game / "USERDATA5");
    builder.writeText("UserData7", "a file takes the name too");
    builder.writeText("Userdata8/x", "");
    std::vector<std::string> expected;
    for (int n = 2; n <= 99; ++n) {
        if (n != 2 && n != 5 && n != 7 && n != 8) expected.push_back("UserData" + std::to_string(n));
    }
    EXPECT_EQ(FreeNeighbourhoodNames(game, false), expected);
    expected.insert(expected.begin(), "UserData");
    EXPECT_EQ(FreeNeighbourhoodNames(game, true), expected);
    // Sorted as the game sees names: ignoring letter case.
    EXPECT_EQ(NeighbourhoodFolderNames(game), (std::vector<std::string>{"userdata2", "USERDATA5", "Userdata8"}));

    fs::create_directories(game / "userDATA");
    for (int n = 2; n <= 99; ++n) fs::create_directories(game / ("UsErDaTa" + std::to_string(n)));
    EXPECT_TRUE(FreeNeighbourhoodNames(game, true).empty());
    EXPECT_TRUE(FreeNeighbourhoodNames(game, false).empty());
    EXPECT_EQ(FreeNeighbourhoodNames(dir.path() / "missing", false).size(), 98u);
}

TEST_F(NeighbourhoodCopiesTest, NeighbourhoodNames) {
    for (const char* name : {"UserData", "userdata", "UserData2", "USERDATA99", "UserData10"}) {
        EXPECT_TRUE(IsNeighbourhoodName(name)) << name;
    }
    for (const char* name : {"UserData1", "UserData02", "UserData100", "UserData0", "UserDataX", "User", "Data2", ""}) {
        EXPECT_FALSE(IsNeighbourhoodName(name)) << name;
    }
}

TEST_F(NeighbourhoodCopiesTest, DescriptionsRoundTripByteForByte) {
    const fs::path folder = builder.neighbourhood("UserData2");
    EXPECT_FALSE(ReadNeighbourhoodDescription(folder));
    const std::string text = "Caf\xE9 \x93the Goths\x94\r\n\xC4rger \x80 100\r\nlast line";
    SaveNeighbourhoodDescription(folder, text);
    EXPECT_EQ(ReadNeighbourhoodDescription(folder), text);
    EXPECT_EQ(treeOf(folder).at("Description.cv"), text);
    EXPECT_EQ(FirstDescriptionLine(text), "Caf\xE9 \x93the Goths\x94");

    // The game's own file in other letter case is the one read and replaced.
    fs::rename(folder / "Description.cv", folder / "description.CV");
    SaveNeighbourhoodDescription(folder, "new");
    EXPECT_EQ(ReadNeighbourhoodDescription(folder), "new");
    EXPECT_EQ(treeOf(folder).count("Description.cv"), 0u);
    EXPECT_EQ(FirstDescriptionLine(""), "");
}

// Where a flushed path ends up once its staged folders take their names:
// ".../.UserData3.partial-a1B2c3/.Web Pages.part-0123456789ab/a.gif" is "Web Pages/a.gif".
std::string finalRelative(const fs::path& flushed) {
    fs::path relative;
    bool inStaged = false;
    for (const fs::path& part : flushed) {
        const std::string name = part.string();
        const auto partial = name.find(".partial-");
        const auto copy = name.find(".part-");
        if (!inStaged && name.front() == '.' && (partial != std::string::npos || copy != std::string::npos)) {
            inStaged = true;  // the staged folder itself: the target's root
        } else if (inStaged) {
            relative /= (name.front() == '.' && copy != std::string::npos) ? name.substr(1, copy - 1) : name;
        }
    }
    return inStaged ? (relative.empty() ? "." : relative.generic_string()) : std::string();
}

// A power cut right after an operation must not leave empty or missing files
// in the folder it put in place: every file and folder of the new folder is
// flushed before it takes the target's name, and the parent folder after.
TEST_F(NeighbourhoodCopiesTest, EveryCopiedFileAndFolderIsOnDiskBeforeTheSwap) {
    const fs::path neighbourhood = makeNeighbourhood("UserData3");
    const fs::path backup = BackUpNeighbourhood(neighbourhood, backups, progress).folder;
    const struct {
        const char* operation;
        fs::path target;
        std::function<void()> run;
    } operations[] = {
        {"backup over a backup", backups / "UserData3", [&] { BackUpNeighbourhood(neighbourhood, backups, progress); }},
        {"restore of a missing neighbourhood", game / "UserData5",
         [&] { RestoreNeighbourhood(backup, game / "UserData5", progress); }},
        {"copy of a neighbourhood", game / "UserData4", [&] { CopyNeighbourhood(neighbourhood, game / "UserData4", progress); }},
        {"copy of a backup", backups / "UserData6", [&] { CopyBackup(backup, backups / "UserData6", progress); }},
    };
    for (const auto& operation : operations) {
        SCOPED_TRACE(operation.operation);
        const std::vector<test::CallStep> calls = test::RecordCalls(operation.run);
        const auto swap = std::find_if(calls.begin(), calls.end(), [&](const test::CallStep& step) {
            return step.call == sys::Call::Rename && step.about == operation.target.string();
        });
        ASSERT_NE(swap, calls.end());
        std::set<std::string> flushedFiles;
        std::set<std::string> flushedFolders;
        std::ptrdiff_t lastContent = -1;  // the last flush inside the new folder
        std::ptrdiff_t lastRoot = -1;     // the last flush of the new folder's own entries
        for (auto step = calls.begin(); step != swap; ++step) {
            const std::string relative = finalRelative(step->about);
            if (relative.empty() || (step->call != sys::Call::Flush && step->call != sys::Call::FolderFlush)) continue;
            (step->call == sys::Call::Flush ? flushedFiles : flushedFolders).insert(relative);
            (relative == "." ? lastRoot : lastContent) = step - calls.begin();
        }
        for (const auto& [path, content] : treeOf(operation.target)) {
            EXPECT_EQ((content == "<folder>" ? flushedFolders : flushedFiles).count(path), 1u) << path;
        }
        EXPECT_GT(lastRoot, lastContent) << "the new folder's own entries, once all are made";
        const bool parentFlushed = std::any_of(swap, calls.end(), [&](const test::CallStep& step) {
            return step.call == sys::Call::FolderFlush && step.about == operation.target.parent_path().string();
        });
        EXPECT_TRUE(parentFlushed) << "the new name of the folder";
    }
}

// A restore keeps folders the backup does not carry by moving them into the
// new neighbourhood, never by copying: whatever they hold (a pipe, a device,
// a huge file) comes along as it is.
TEST_F(NeighbourhoodCopiesTest, RestoringOverANeighbourhoodMovesTheFoldersItKeeps) {
    const fs::path neighbourhood = makeNeighbourhood("UserData3");
    const fs::path backup = BackUpNeighbourhood(neighbourhood, backups, progress).folder;
    builder.writeText("UserData3/Patch/p.txt", "the backup has no Patch folder");
    ASSERT_EQ(::mkfifo((neighbourhood / "Junk/pipe").c_str(), 0600), 0);
    const struct {
        const char* kept;
        fs::path file;
    } kept[] = {
        {"a folder that is not carried, with a pipe in it", "Junk/pipe"},
        {"a folder inside a carried folder", "Characters/Extra/notes.txt"},
        {"a carried folder the backup lacks", "Patch/p.txt"},
    };
    std::map<std::string, FileIdentity> before;
    for (const auto& k : kept) before[k.kept] = *IdentityOf(neighbourhood / k.file);

    const NeighbourhoodCopyResult result = RestoreNeighbourhood(backup, neighbourhood, progress);
    ASSERT_TRUE(result.replaced);
    for (const auto& k : kept) {
        SCOPED_TRACE(k.kept);
        const std::optional<FileIdentity> after = IdentityOf(neighbourhood / k.file);
        ASSERT_TRUE(after);
        EXPECT_EQ(*after, before[k.kept]) << "the same file, moved";
        EXPECT_FALSE(fs::exists(result.replaced->item / k.file)) << "not also in the old folder";
    }
    EXPECT_TRUE(fs::is_fifo(neighbourhood / "Junk/pipe"));
    EXPECT_TRUE(hiddenEntries(neighbourhood).empty()) << "no note of the staging left inside";
    EXPECT_TRUE(hiddenEntries(game).empty());
}

// A restore killed at any step (kill -9, a power cut) leaves the old
// neighbourhood or the new one; the clean-up at the next start removes what
// it left, gives back any folder it had moved, and the old neighbourhood,
// when replaced, is in the Trash: never half of each, never lost.
TEST_F(NeighbourhoodCopiesTest, ARestoreKilledAtAnyStepLeavesOldOrNewAndTheNextStartCleansUp) {
    const auto setUp = [&] {
        fs::remove_all(game);
        fs::remove_all(backups);
        fs::remove_all(dir.path() / "data");
        const fs::path neighbourhood = makeNeighbourhood("UserData3");
        const fs::path backup = BackUpNeighbourhood(neighbourhood, backups, progress).folder;
        builder.writeText("UserData3/Characters/User00001.iff", "changed since the backup");
        builder.writeText("UserData3/Patch/p.txt", "kept");
        return std::pair{neighbourhood, backup};
    };
    const fs::path neighbourhood = setUp().first;
    const fs::path backup = backups / "UserData3";
    const Tree old = treeOf(neighbourhood);
    NeighbourhoodCopyResult result;
    const std::size_t steps =
        test::RecordCalls([&] { result = RestoreNeighbourhood(backup, neighbourhood, progress); }).size();
    const Tree restored = treeOf(neighbourhood);
    ASSERT_NE(restored, old);
    ASSERT_TRUE(result.replaced);
    const Tree replaced = treeOf(result.replaced->item);  // the old one less the folders the restore kept
    for (std::size_t kill = 0; kill < steps; ++kill) {
        SCOPED_TRACE("killed at step " + std::to_string(kill));
        setUp();
        const int status = test::RunKilledAtCall(kill, [&] {
            RestoreNeighbourhood(backup, neighbourhood, progress);
            return 0;
        });
        ASSERT_TRUE(status == test::kKilledAtCall || status == 0) << status;
        for (const Leftover& leftover : RecoverInterruptedCopies(game)) {
            EXPECT_NE(leftover.fate, Leftover::Fate::Failed) << leftover.path << ": " << leftover.cause;
        }
        const Tree now = treeOf(neighbourhood);
        EXPECT_TRUE(now == old || now == restored);
        EXPECT_TRUE(hiddenEntries(game).empty());
        if (now == restored) {
            bool oldInTrash = false;
            for (const auto& entry : fs::directory_iterator(dir.path() / "data/Trash/files")) {
                oldInTrash = oldInTrash || treeOf(entry.path()) == replaced;
            }
            EXPECT_TRUE(oldInTrash) << "the replaced neighbourhood is in the Trash";
        }
    }
}


}  // namespace
}  // namespace corvane
