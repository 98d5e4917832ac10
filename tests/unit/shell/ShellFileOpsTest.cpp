#include "platform/ShellFileOps.h"

#include <gtest/gtest.h>

#include "ShellTestFiles.h"

namespace corvane {
namespace {

using namespace shelltest;

using CopyFolderFilesTest = ShellTest;

TEST_F(CopyFolderFilesTest, CollidingNamesGetTheNextFreeNumberAndOriginalsStay) {
    const fs::path source = root() / "UserData2";
    writeText(source / "a.txt", "new a");
    writeText(source / "b.bin", "new b");
    writeText(source / "readme", "new readme");
    writeText(source / "Characters" / "User00001.iff", "not copied");
    const fs::path target = root() / "backup";
    writeText(target / "a.txt", "old a");
    writeText(target / "a (2).txt", "old a2");
    writeText(target / "readme", "old readme");

    const std::vector<fs::path> written = CopyFolderFiles(source, target);

    EXPECT_EQ(written, (std::vector<fs::path>{target / "a (3).txt", target / "b.bin", target / "readme (2)"}));
    EXPECT_EQ(readText(target / "a (3).txt"), "new a");
    EXPECT_EQ(readText(target / "b.bin"), "new b");
    EXPECT_EQ(readText(target / "readme (2)"), "new readme");
    EXPECT_EQ(readText(target / "a.txt"), "old a");
    EXPECT_EQ(readText(target / "a (2).txt"), "old a2");
    EXPECT_EQ(readText(target / "readme"), "old readme");
    EXPECT_FALSE(fs::exists(target / "Characters")) << "subfolders are not part of a file copy";
    EXPECT_EQ(namesIn(source), (std::set<std::string>{"a.txt", "b.bin", "readme", "Characters"}));
}

TEST_F(CopyFolderFilesTest, CreatesTheMissingTargetFolders) {
    writeText(root() / "src" / "Neighborhood.iff", "ngbd");
    const fs::path target = root() / "backups" / "deep" / "UserData";

    EXPECT_EQ(CopyFolderFiles(root() / "src", target), std::vector<fs::path>{target / "Neighborhood.iff"});
    EXPECT_EQ(readText(target / "Neighborhood.iff"), "ngbd");
}

TEST_F(CopyFolderFilesTest, AnEmptySourceStillCreatesTheTarget) {
    fs::create_directories(root() / "empty");
    EXPECT_TRUE(CopyFolderFiles(root() / "empty", root() / "made").empty());
    EXPECT_TRUE(fs::is_directory(root() / "made"));
}

TEST_F(CopyFolderFilesTest, CopyIntoTheOwnFolderNumbersTheNameBeforeTheExtension) {
    const struct {
        const char* name;
        const char* copyName;
    } cases[] = {
        {"b001fafitlgt_01.bmp", "b001fafitlgt_01 (2).bmp"},
        {"archive.tar.gz", "archive.tar (2).gz"},
        {"noextension", "noextension (2)"},
        {".hidden", ".hidden (2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(root() / "skins" / c.name, c.name);
        const fs::path copy = CopyFileToFolder(root() / "skins" / c.name, root() / "skins");
        EXPECT_EQ(copy, root() / "skins" / c.copyName);
        EXPECT_EQ(readText(copy), c.name);
        EXPECT_EQ(readText(root() / "skins" / c.name), c.name);
    }
}

using CopyFolderTreeTest = ShellTest;

TEST_F(CopyFolderTreeTest, CopiesEverythingBelowKeepingTimesAndLinks) {
    const fs::path source = root() / "UserData3";
    writeText(source / "Neighborhood.iff", "ngbd");
    writeText(source / "Characters" / "User00001.iff", "sim");
    writeText(source / "Web Pages" / "img" / "a.jpg", "jpeg");
    fs::create_directories(source / "Houses");
    fs::create_symlink("Neighborhood.iff", source / "link");
    const fs::file_time_type stamp = yearsAgo(10);
    fs::last_write_time(source / "Characters" / "User00001.iff", stamp);
    const fs::path target = root() / "backups" / "UserData3";

    CopyFolderTree(source, target);

    EXPECT_EQ(readText(target / "Neighborhood.iff"), "ngbd");
    EXPECT_EQ(readText(target / "Characters" / "User00001.iff"), "sim");
    EXPECT_EQ(readText(target / "Web Pages" / "img" / "a.jpg"), "jpeg");
    EXPECT_TRUE(fs::is_directory(target / "Houses"));
    EXPECT_TRUE(fs::is_symlink(target / "link"));
    EXPECT_EQ(fs::read_symlink(target / "link"), "Neighborhood.iff");
    EXPECT_EQ(fs::last_write_time(target / "Characters" / "User00001.iff"), stamp);
    EXPECT_EQ(readText(source / "Characters" / "User00001.iff"), "sim");
    EXPECT_EQ(namesIn(root() / "backups"), std::set<std::string>{"UserData3"}) << "no staging folder left behind";
}

using MoveFileTest = ShellTest;

TEST_F(MoveFileTest, CreatesTheMissingFolders) {
    writeText(root() / "Skins" / "b001.bmp", "texture");
    const fs::path target = root() / "StoredSkins" / "GameData" / "Skins" / "b001.bmp";

    MoveFile(root() / "Skins" / "b001.bmp", target);

    EXPECT_EQ(readText(target), "texture");
    EXPECT_FALSE(fs::exists(root() / "Skins" / "b001.bmp"));
}

TEST_F(MoveFileTest, ReplacesAnExistingFile) {
    writeText(root() / "new.cmx", "new");
    writeText(root() / "out" / "old.cmx", "old");

    MoveFile(root() / "new.cmx", root() / "out" / "old.cmx");

    EXPECT_EQ(readText(root() / "out" / "old.cmx"), "new");
    EXPECT_FALSE(fs::exists(root() / "new.cmx"));
}

TEST_F(MoveFileTest, AcrossFileSystemsCopiesThenRemovesTheSource) {
    const auto other = tempDirOnOtherFileSystem(root());
    if (!other) {
        GTEST_SKIP() << "no second file system on this machine";
    }
    const fs::path source = other->path() / "b001.bmp";
    writeText(source, "texture");
    const fs::file_time_type stamp = yearsAgo(10);
    fs::last_write_time(source, stamp);
    writeText(root() / "out" / "b001.bmp", "replaced");

    MoveFile(source, root() / "out" / "b001.bmp");

    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(readText(root() / "out" / "b001.bmp"), "texture");
    EXPECT_EQ(fs::last_write_time(root() / "out" / "b001.bmp"), stamp);
    EXPECT_EQ(namesIn(root() / "out"), std::set<std::string>{"b001.bmp"}) << "no staging file left behind";
}

TEST_F(MoveFileTest, FolderAcrossFileSystemsArrivesWhole) {
    const auto other = tempDirOnOtherFileSystem(root());
    if (!other) {
        GTEST_SKIP() << "no second file system on this machine";
    }
    writeText(other->path() / "UserData4" / "Characters" / "User00002.iff", "sim");

    MoveToNewPath(other->path() / "UserData4", root() / "UserData4");

    EXPECT_FALSE(fs::exists(other->path() / "UserData4"));
    EXPECT_EQ(readText(root() / "UserData4" / "Characters" / "User00002.iff"), "sim");
}

using RenameFolderTest = ShellTest;

TEST_F(RenameFolderTest, RenamesToTheWantedName) {
    writeText(root() / "UserData" / "Neighborhood.iff", "first");

    EXPECT_EQ(RenameFolder(root() / "UserData", root() / "TempData", RenameCollision::Fail), root() / "TempData");
    EXPECT_EQ(readText(root() / "TempData" / "Neighborhood.iff"), "first");
    EXPECT_FALSE(fs::exists(root() / "UserData"));
}

TEST_F(RenameFolderTest, OnCollisionTakesTheNextFreeNumberedName) {
    writeText(root() / "UserData5" / "n.iff", "moving");
    writeText(root() / "UserData" / "n.iff", "kept");
    fs::create_directories(root() / "UserData (2)");

    const fs::path renamed = RenameFolder(root() / "UserData5", root() / "UserData", RenameCollision::PickFreeName);

    EXPECT_EQ(renamed, root() / "UserData (3)");
    EXPECT_EQ(readText(renamed / "n.iff"), "moving");
    EXPECT_EQ(readText(root() / "UserData" / "n.iff"), "kept");
    EXPECT_TRUE(fs::is_empty(root() / "UserData (2)"));
    EXPECT_FALSE(fs::exists(root() / "UserData5"));
}

TEST_F(ShellTest, BareNamesMeanTheWorkingFolder) {
    writeText(root() / "UserData2" / "n.iff", "n");
    writeText(root() / "a.cmx", "a");
    const fs::path previous = fs::current_path();
    fs::current_path(root());

    EXPECT_NO_THROW(RenameFolder("UserData2", "UserData3", RenameCollision::Fail));
    EXPECT_NO_THROW(CopyFolderTree("UserData3", "UserData4"));
    EXPECT_NO_THROW(MoveFile("a.cmx", "b.cmx"));
    EXPECT_NO_THROW(MoveToNewPath("b.cmx", "c.cmx"));

    fs::current_path(previous);
    EXPECT_EQ(readText(root() / "UserData4" / "n.iff"), "n");
    EXPECT_EQ(readText(root() / "c.cmx"), "a");
}

TEST_F(ShellTest, DeletePermanentlyRemovesAWholeFolder) {
    writeText(root() / "work" / "a" / "b.tmp", "x");
    DeletePermanently(root() / "work");
    EXPECT_FALSE(fs::exists(root() / "work"));
}

}  // namespace
}  // namespace corvane
