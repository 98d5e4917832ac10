#include "platform/Trash.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <ctime>
#include <optional>
#include <sstream>

#include "ShellTestFiles.h"
#include "platform/ShellFileOps.h"

namespace corvane {
namespace {

using namespace shelltest;

struct TrashInfo {
    std::string header;
    std::string path;
    std::string deletionDate;
};

TrashInfo readTrashInfo(const fs::path& info) {
    std::istringstream lines(readText(info));
    TrashInfo parsed;
    std::getline(lines, parsed.header);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Path=", 0) == 0) {
            parsed.path = line.substr(5);
        } else if (line.rfind("DeletionDate=", 0) == 0) {
            parsed.deletionDate = line.substr(13);
        } else {
            ADD_FAILURE() << "unexpected line " << line;
        }
    }
    return parsed;
}

// A deletion date in local time, no more than a minute away from now.
void expectRecentLocalTime(const std::string& date) {
    const std::string shape = "dddd-dd-ddTdd:dd:dd";  // d: a digit
    ASSERT_EQ(date.size(), shape.size()) << date;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        ASSERT_TRUE(shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(date[i])) != 0 : date[i] == shape[i])
            << date;
    }
    std::tm local{};
    local.tm_isdst = -1;
    ASSERT_NE(strptime(date.c_str(), "%Y-%m-%dT%H:%M:%S", &local), nullptr);
    EXPECT_LE(std::abs(std::difftime(std::mktime(&local), std::time(nullptr))), 60.0) << date;
}

// Sets or clears the immutable flag, which stops even root from renaming a
// file. False where the file system or the process's rights do not allow it.
bool setImmutable(const fs::path& file, bool immutable) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

using TrashTest = ShellTest;

TEST_F(TrashTest, FileGoesToFilesWithAPercentEncodedTrashInfo) {
    const struct {
        const char* name;
        const char* encoded;
    } cases[] = {
        {"my file \xC3\xA9.txt", "my%20file%20%C3%A9.txt"},
        {"50%+off&more#1.bmp", "50%25%2Boff%26more%231.bmp"},
        {"plain-name_1.~x", "plain-name_1.~x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path original = root() / "Skins" / c.name;
        writeText(original, c.name);

        const TrashedItem entry = MoveToTrash(original);

        EXPECT_EQ(entry.item, homeTrash() / "files" / c.name);
        EXPECT_EQ(entry.info, homeTrash() / "info" / (std::string(c.name) + ".trashinfo"));
        EXPECT_FALSE(fs::exists(original));
        EXPECT_EQ(readText(entry.item), c.name);
        const TrashInfo info = readTrashInfo(entry.info);
        EXPECT_EQ(info.header, "[Trash Info]");
        EXPECT_EQ(info.path, (root() / "Skins").string() + "/" + c.encoded);
        expectRecentLocalTime(info.deletionDate);
    }
}

TEST_F(TrashTest, FolderGoesWholeWithItsInfo) {
    writeText(root() / "game" / "UserData3" / "Characters" / "User00001.iff", "sim");
    fs::create_directories(root() / "game" / "UserData3" / "Houses");

    const TrashedItem entry = MoveToTrash(root() / "game" / "UserData3/");

    EXPECT_EQ(entry.item, homeTrash() / "files" / "UserData3");
    EXPECT_EQ(readText(entry.item / "Characters" / "User00001.iff"), "sim");
    EXPECT_TRUE(fs::is_directory(entry.item / "Houses"));
    EXPECT_FALSE(fs::exists(root() / "game" / "UserData3"));
    EXPECT_EQ(readTrashInfo(entry.info).path, (root() / "game" / "UserData3").string());
}

TEST_F(TrashTest, ItemsOfTheSameNameAreAllKept) {
    writeText(root() / "a" / "b001.bmp", "first");
    writeText(root() / "b" / "b001.bmp", "second");
    writeText(root() / "c" / "b001.bmp", "third");

    const TrashedItem first = MoveToTrash(root() / "a" / "b001.bmp");
    const TrashedItem second = MoveToTrash(root() / "b" / "b001.bmp");
    const TrashedItem third = MoveToTrash(root() / "c" / "b001.bmp");

    EXPECT_EQ(namesIn(homeTrash() / "files"), (std::set<std::string>{"b001.bmp", "b001.2.bmp", "b001.3.bmp"}));
    EXPECT_EQ(namesIn(homeTrash() / "info"),
              (std::set<std::string>{"b001.bmp.trashinfo", "b001.2.bmp.trashinfo", "b001.3.bmp.trashinfo"}));
    EXPECT_EQ(readText(first.item), "first");
    EXPECT_EQ(readText(second.item), "second");
    EXPECT_EQ(readText(third.item), "third");
    EXPECT_EQ(second.info, homeTrash() / "info" / "b001.2.bmp.trashinfo");
    EXPECT_EQ(readTrashInfo(first.info).path, (root() / "a" / "b001.bmp").string());
    EXPECT_EQ(readTrashInfo(second.info).path, (root() / "b" / "b001.bmp").string());
    EXPECT_EQ(readTrashInfo(third.info).path, (root() / "c" / "b001.bmp").string());
}

TEST_F(TrashTest, NamesHeldByAStrayInfoOrAStrayItemAreSkipped) {
    writeText(homeTrash() / "info" / "b001.bmp.trashinfo", "stray info");
    writeText(homeTrash() / "files" / "b001.2.bmp", "stray item");
    writeText(root() / "b001.bmp", "mine");

    const TrashedItem entry = MoveToTrash(root() / "b001.bmp");

    EXPECT_EQ(entry.item, homeTrash() / "files" / "b001.3.bmp");
    EXPECT_EQ(readText(entry.item), "mine");
    EXPECT_EQ(readText(homeTrash() / "info" / "b001.bmp.trashinfo"), "stray info");
    EXPECT_EQ(readText(homeTrash() / "files" / "b001.2.bmp"), "stray item");
    EXPECT_EQ(namesIn(homeTrash() / "info"), (std::set<std::string>{"b001.bmp.trashinfo", "b001.3.bmp.trashinfo"}))
        << "the info claimed for the stray item's name is given back";
}

TEST_F(TrashTest, AFailedMoveGivesItsInfoBackAndKeepsTheItem) {
    const fs::path original = root() / "locked.bmp";
    writeText(original, "texture");
    if (!setImmutable(original, true)) {
        GTEST_SKIP() << "the immutable flag is not available here";
    }

    bool raised = false;
    try {
        MoveToTrash(original);
    } catch (const ShellOperationError& error) {
        raised = true;
        EXPECT_NE(std::string(error.what()).find("locked.bmp"), std::string::npos) << error.what();
    }
    ASSERT_TRUE(setImmutable(original, false));

    EXPECT_TRUE(raised);
    EXPECT_EQ(readText(original), "texture");
    EXPECT_TRUE(fs::is_empty(homeTrash() / "files"));
    EXPECT_TRUE(fs::is_empty(homeTrash() / "info")) << "no info without its item";
}

TEST_F(TrashTest, ALinkGoesAsTheLinkNotItsTarget) {
    writeText(root() / "target.txt", "content");
    fs::create_symlink(root() / "target.txt", root() / "link.txt");

    const TrashedItem entry = MoveToTrash(root() / "link.txt");

    EXPECT_TRUE(fs::is_symlink(entry.item));
    EXPECT_EQ(readText(root() / "target.txt"), "content");
}

TEST_F(TrashTest, FolderFilesGoButSubfoldersStay) {
    writeText(root() / "UserData" / "Neighborhood.iff", "n");
    writeText(root() / "UserData" / "Description.cv", "d");
    writeText(root() / "UserData" / "Characters" / "User00001.iff", "sim");

    const std::vector<TrashedItem> trashed = MoveFolderFilesToTrash(root() / "UserData");

    ASSERT_EQ(trashed.size(), 2U);
    EXPECT_EQ(trashed[0].item, homeTrash() / "files" / "Description.cv");
    EXPECT_EQ(trashed[1].item, homeTrash() / "files" / "Neighborhood.iff");
    EXPECT_EQ(namesIn(root() / "UserData"), std::set<std::string>{"Characters"});
    EXPECT_EQ(readText(root() / "UserData" / "Characters" / "User00001.iff"), "sim");
}

TEST_F(TrashTest, ItemOnAnotherFileSystemGoesToTheTrashAtItsTop) {
    const auto other = tempDirOnOtherFileSystem(root());
    if (!other) {
        GTEST_SKIP() << "no second file system on this machine";
    }
    const fs::path original = other->path() / "old skin.bmp";
    writeText(original, "texture");

    const TrashedItem entry = MoveToTrash(original);

    const fs::path trashRoot = entry.item.parent_path().parent_path();
    const std::string uid = std::to_string(::getuid());
    EXPECT_TRUE(trashRoot == fs::path("/dev/shm") / (".Trash-" + uid) || trashRoot == fs::path("/dev/shm/.Trash") / uid)
        << trashRoot;
    EXPECT_EQ(readText(entry.item), "texture");
    EXPECT_FALSE(fs::exists(original));
    EXPECT_FALSE(fs::exists(homeTrash() / "files" / "old skin.bmp"));
    const std::string relative = other->path().lexically_relative("/dev/shm").string() + "/old%20skin.bmp";
    EXPECT_EQ(readTrashInfo(entry.info).path, relative) << "relative to the top of its file system";

    // Leave /dev/shm as found: our entries go, the trash folders only when empty.
    std::error_code ec;
    for (const fs::path& made : {entry.item, entry.info, trashRoot / "files", trashRoot / "info", trashRoot}) {
        fs::remove(made, ec);
    }
}

TEST(HomeTrashFolderTest, FollowsXdgDataHomeElseHome) {
    test::TempDir home;
    test::EnvOverride homeOverride("HOME", home.path().string());
    const fs::path fallback = home.path() / ".local" / "share" / "Trash";
    const struct {
        const char* label;
        std::optional<std::string> dataHome;
        fs::path expected;
    } cases[] = {
        {"set", "/srv/data", "/srv/data/Trash"},
        {"unset", std::nullopt, fallback},
        {"empty", "", fallback},
        {"relative, so invalid", "relative/data", fallback},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        test::EnvOverride dataHome("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(HomeTrashFolder(), c.expected);
    }
}

}  // namespace
}  // namespace corvane
