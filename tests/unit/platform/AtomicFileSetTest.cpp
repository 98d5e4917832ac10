// A set of files written together or not at all, under every fault a disk or
// a kill can bring at every system call of the write.

#include "platform/AtomicFileSet.h"

#include "platform/AtomicFile.h"
#include "platform/DurableWrite.h"
#include "support/EnvOverride.h"
#include "support/FaultInjection.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <set>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Contents = std::map<fs::path, std::string>;

class AtomicFileSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game / "Characters");
        write(oldContents);
    }

    void write(const Contents& contents) {
        for (const auto& [file, text] : contents) ReplaceFileAtomically(file, text);
    }

    // Every file under the game folder and the journal's folder, by path,
    // but for the journal itself (while it stands, the next start acts on it).
    Contents everything() const {
        Contents found;
        for (const fs::path& root : {game, journal.parent_path()}) {
            for (const auto& entry : fs::recursive_directory_iterator(root)) {
                if (entry.is_regular_file() && entry.path() != lockFile && entry.path() != journal) {
                    found[entry.path()] = ReadTextFile(entry.path());
                }
            }
        }
        return found;
    }

    AtomicFileSet newSet() const {
        AtomicFileSet set(journal);
        for (const auto& [file, text] : newContents) {
            set.add(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        }
        return set;
    }

    // "old" or "new" when every file is wholly one or the other, with
    // nothing else left behind; otherwise what is wrong.
    std::string state() const {
        const Contents now = everything();
        if (now == oldContents) return "old";
        if (now == newContents) return "new";
        std::string what = "mixed:";
        for (const auto& [file, text] : now) what += " " + file.filename().string() + "=" + text;
        return what;
    }

    test::TempDir dir;
    fs::path game = dir.path() / "game";
    fs::path journal = dir.path() / "app" / "SaveJournal.txt";
    fs::path lockFile = dir.path() / "app" / "SaveJournal.txt.lock";
    Contents oldContents{{game / "neighborhood.iff", "old neighbourhood"},
                         {game / "Characters" / "User00001.iff", "old Victor"},
                         {game / "Characters" / "User00002.iff", "old Elena"}};
    Contents newContents{{game / "neighborhood.iff", "new neighbourhood, longer"},
                         {game / "Characters" / "User00001.iff", "new Victor"},
                         {game / "Characters" / "User00002.iff", "new Elena"}};
};

TEST_F(AtomicFileSetTest, WritesEveryFileAndLeavesNoJournalNorTemporaryFile) {
    fs::permissions(game / "neighborhood.iff", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    AtomicFileSet set = newSet();
    EXPECT_EQ(set.commit().outcome, InterruptedSave::Outcome::None);
    EXPECT_EQ(state(), "new");
    EXPECT_EQ(fs::status(game / "neighborhood.iff").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
        << "the new file keeps the old one's permissions";
    EXPECT_EQ(FinishInterruptedSave(journal).outcome, InterruptedSave::Outcome::None);
}

// Kill -9 at each system call of the write, then start again: every file is
// all old or all new, and the next start says which it made of it.
TEST_F(AtomicFileSetTest, KilledAtEveryStepTheNextStartLeavesAllOldOrAllNew) {
    const auto steps = test::RecordCalls([&] { newSet().commit(); });
    ASSERT_GE(steps.size(), 20u);
    std::string matrix;
    std::map<std::string, int> outcomes;
    for (std::size_t k = 0; k <= steps.size(); ++k) {
        write(oldContents);
        const int status = test::RunKilledAtCall(k, [&] {
            newSet().commit();
            return 0;
        });
        ASSERT_EQ(status, k < steps.size() ? test::kKilledAtCall : 0) << "step " << k;
        const InterruptedSave finished = FinishInterruptedSave(journal);
        EXPECT_FALSE(fs::exists(journal)) << k;
        const std::string after = state();
        const std::string step = k < steps.size() ? steps[k].text() : "(after the last call)";
        EXPECT_TRUE(after == "old" || after == "new") << "killed at " << step << ": " << after;
        if (finished.outcome == InterruptedSave::Outcome::Completed) {
            EXPECT_EQ(after, "new") << step;
        }
        if (finished.outcome == InterruptedSave::Outcome::Undone) {
            EXPECT_EQ(after, "old") << step;
        }
        const char* told = finished.outcome == InterruptedSave::Outcome::Completed ? "completed"
                           : finished.outcome == InterruptedSave::Outcome::Undone  ? "undone"
                                                                                   : "nothing to finish";
        matrix += "  " + std::to_string(k) + "\t" + step + "\t-> " +
                  after + " (" + told + ")\n";
        ++outcomes[after + ", " + told];
    }
    std::cout << "kill matrix over " << steps.size() << " calls:\n" << matrix;
    for (const auto& [outcome, count] : outcomes) std::cout << "  " << outcome << ": " << count << "\n";
    EXPECT_GT(outcomes["old, undone"], 0);
    EXPECT_GT(outcomes["new, completed"], 0);
}

// Replaced files whose old contents go to the Trash: killed at every call,
// each file is old with nothing of it in the Trash, or new with its old
// content there exactly once (a kill inside the Trash's own rename leaves its
// name claimed, so the next start trashes it under the next free name); no
// second name is left beside it.
TEST_F(AtomicFileSetTest, KilledAtEveryStepReplacedContentsReachTheTrashOnlyWithTheNewFiles) {
    const fs::path data = dir.path() / "data";
    test::EnvOverride dataHome{"XDG_DATA_HOME", data.string()};
    const auto commitToTrash = [&] {
        AtomicFileSet set(journal);
        for (const auto& [file, text] : newContents) {
            set.add(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                    ReplacedContent::ToTrash);
        }
        set.commit();
    };
    const auto trashed = [&] {
        std::multiset<std::string> contents;
        if (!fs::exists(data / "Trash" / "files")) return contents;
        for (const auto& entry : fs::directory_iterator(data / "Trash" / "files")) {
            contents.insert(ReadTextFile(entry.path()));
        }
        return contents;
    };
    std::multiset<std::string> old;
    for (const auto& [file, text] : oldContents) old.insert(text);
    const auto steps = test::RecordCalls(commitToTrash);
    std::map<std::string, int> outcomes;
    for (std::size_t k = 0; k <= steps.size(); ++k) {
        fs::remove_all(data);
        write(oldContents);
        const int status = test::RunKilledAtCall(k, [&] {
            commitToTrash();
            return 0;
        });
        ASSERT_EQ(status, k < steps.size() ? test::kKilledAtCall : 0) << "step " << k;
        FinishInterruptedSave(journal);
        const std::string step = k < steps.size() ? steps[k].text() : "(after the last call)";
        const std::string after = state();
        EXPECT_TRUE(after == "old" || after == "new") << "killed at " << step << ": " << after;
        const std::multiset<std::string> none;
        EXPECT_EQ(trashed(), after == "new" ? old : none) << "killed at " << step;
        ++outcomes[after];
    }
    EXPECT_GT(outcomes["old"], 0);
    EXPECT_GT(outcomes["new"], 0);
}

// A failing call is a failed write: reported, and afterwards (the next start
// completing what was committed) every file is all old or all new.
TEST_F(AtomicFileSetTest, AFailureAtEveryStepIsReportedAndLeavesAllOldOrAllNew) {
    const auto steps = test::RecordCalls([&] { newSet().commit(); });
    write(oldContents);
    for (int error : {ENOSPC, EIO, EACCES}) {
        for (std::size_t k = 0; k < steps.size(); ++k) {
            write(oldContents);
            std::string reported;
            {
                test::FailingCall failing(k, error);
                try {
                    newSet().commit();
                } catch (const FileWriteError& failure) {
                    reported = failure.what();
                }
            }
            const std::string step = steps[k].text() + " (" + std::strerror(error) + ")";
            const std::string right = state();
            if (reported.empty()) {
                // Only the closing of the journal may fail unreported: every file was written by then.
                EXPECT_EQ(right, "new") << step;
                EXPECT_TRUE(steps[k].about == journal.string() || steps[k].about == journal.parent_path().string())
                    << step;
            } else {
                EXPECT_NE(reported.find(std::strerror(error)), std::string::npos) << step << ": " << reported;
                if (right != "old") {
                    EXPECT_NE(reported.find("completed when"), std::string::npos) << step << ": " << reported;
                }
            }
            FinishInterruptedSave(journal);
            EXPECT_FALSE(fs::exists(journal)) << step;
            const std::string after = state();
            EXPECT_TRUE(after == "old" || after == "new") << step << ": " << after;
            if (!reported.empty() && reported.find("completed when") == std::string::npos) {
                EXPECT_EQ(after, "old") << step << ": " << reported;
            }
        }
    }
}

TEST_F(AtomicFileSetTest, LeftoversAreFinishedOrRemovedBeforeTheNextSaveAndADamagedJournalIsSetAside) {
    // A save cut off after its commit: one of its files was still to be renamed.
    const fs::path waiting = game / "Characters" / ".User00001.iff.AbC123";
    ReplaceFileAtomically(waiting, "newer Victor");
    fs::create_directories(journal.parent_path());
    ReplaceFileAtomically(journal, "Corvane 3D save journal\ncommitted\n" + waiting.string() + "\t" +
                                       (game / "Characters" / "User00001.iff").string() + "\n");
    // And a new file a save killed before its journal was written left beside one of the files.
    const fs::path orphan = game / ".neighborhood.iff.Zz9Zz9";
    ReplaceFileAtomically(orphan, "killed early");
    const InterruptedSave earlier = newSet().commit();
    EXPECT_EQ(earlier.outcome, InterruptedSave::Outcome::Completed);
    EXPECT_EQ(earlier.files, std::vector<fs::path>{game / "Characters" / "User00001.iff"});
    EXPECT_FALSE(fs::exists(waiting));
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(state(), "new") << "the leftover is gone and this save is written";

    // A journal naming a file that is not a temporary file of ours is never acted on.
    ReplaceFileAtomically(journal, "Corvane 3D save journal\nprepared\n" + (game / "neighborhood.iff").string() + "\t" +
                                       (game / "Characters" / "User00002.iff").string() + "\n");
    EXPECT_THROW(FinishInterruptedSave(journal), FileWriteError);
    EXPECT_TRUE(fs::exists(game / "neighborhood.iff"));
    EXPECT_TRUE(fs::exists(journal.string() + ".damaged"));
    EXPECT_EQ(FinishInterruptedSave(journal).outcome, InterruptedSave::Outcome::None);
}

TEST(DurableWrite, TemporaryNamesAreRecognisedOnlyInTheirOwnShape) {
    struct Case {
        const char* name;
        const char* of;
        bool beside;
        bool any;
    };
    const Case cases[] = {
        {".User00001.iff.AbC123", "User00001.iff", true, true},
        {".User00001.iff.AbC12", "User00001.iff", false, false},
        {".User00001.iff.AbC1-3", "User00001.iff", false, false},
        {"User00001.iff.AbC123", "User00001.iff", false, false},
        {".User00002.iff.AbC123", "User00001.iff", false, true},
        {".neighborhood.iff.zzzzzz", "neighborhood.iff", true, true},
        {".x.123456", "x", true, true},
        {"..123456", "", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSiblingTemporaryOf(c.name, c.of), c.beside) << c.name;
        EXPECT_EQ(IsSiblingTemporaryName(c.name), c.any) << c.name;
    }
}

// A new file is as readable as any other program's new file (a profile is
// meant to be passed on); a replaced one keeps the permissions it had.
TEST(ReplaceFileAtomically, ANewFileFollowsTheUmaskAndAReplacedOneKeepsItsPermissions) {
    namespace fs = std::filesystem;
    test::TempDir folder;
    const mode_t mask = ::umask(022);
    ReplaceFileAtomically(folder.path() / "new.cvp", "profile");
    EXPECT_EQ(fs::status(folder.path() / "new.cvp").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder.path() / "new.cvp", fs::perms::owner_read | fs::perms::owner_write);
    ReplaceFileAtomically(folder.path() / "new.cvp", "again");
    EXPECT_EQ(fs::status(folder.path() / "new.cvp").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    ::umask(mask);
}

}  // namespace
}  // namespace corvane
