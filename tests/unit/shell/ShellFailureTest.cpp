#include <gtest/gtest.h>

#include <functional>

#include "ShellTestFiles.h"
#include "platform/ShellFileOps.h"
#include "platform/Trash.h"

namespace corvane {
namespace {

using namespace shelltest;

// Every failing operation reports message 7044 with a detail naming the path
// and the system's reason, and leaves what existed as it was.
struct FailureCase {
    std::string name;
    std::function<void(const fs::path& root)> prepare;
    std::function<void(const fs::path& root)> operation;
    std::string namedPath;  // part of a path the detail must name
    std::string reason;     // the system's text the detail must give
    std::vector<std::string> untouched;  // files (relative to the root) that keep their content "keep"
};

void writeKept(const fs::path& root, std::initializer_list<const char*> files) {
    for (const char* file : files) {
        writeText(root / file, "keep");
    }
}

const char* const kMissing = "No such file or directory";
const char* const kExists = "File exists";
const char* const kNotAFolder = "Not a directory";
const char* const kIsAFolder = "Is a directory";
const char* const kInvalid = "Invalid argument";

std::vector<FailureCase> failureCases() {
    auto nothing = [](const fs::path&) {};
    return {
        {"copy_files_missing_source", nothing,
         [](const fs::path& r) { CopyFolderFiles(r / "missing", r / "out"); }, "missing", kMissing, {}},
        {"copy_files_target_below_a_file", [](const fs::path& r) { writeKept(r, {"src/a.txt", "blocker"}); },
         [](const fs::path& r) { CopyFolderFiles(r / "src", r / "blocker" / "out"); }, "blocker", kNotAFolder,
         {"src/a.txt", "blocker"}},
        {"copy_file_missing_source", nothing,
         [](const fs::path& r) { CopyFileToFolder(r / "gone.bmp", r / "out"); }, "gone.bmp", kMissing, {}},
        {"copy_file_source_is_a_folder", [](const fs::path& r) { writeKept(r, {"dir/a.txt"}); },
         [](const fs::path& r) { CopyFileToFolder(r / "dir", r / "out"); }, "dir", kIsAFolder, {"dir/a.txt"}},
        {"copy_tree_missing_source", nothing,
         [](const fs::path& r) { CopyFolderTree(r / "missing", r / "out"); }, "missing", kMissing, {}},
        {"copy_tree_target_exists", [](const fs::path& r) { writeKept(r, {"src/a.txt", "dst/a.txt"}); },
         [](const fs::path& r) { CopyFolderTree(r / "src", r / "dst"); }, "dst", kExists,
         {"src/a.txt", "dst/a.txt"}},
        {"copy_tree_target_below_a_file", [](const fs::path& r) { writeKept(r, {"src/a.txt", "blocker"}); },
         [](const fs::path& r) { CopyFolderTree(r / "src", r / "blocker" / "dst"); }, "blocker", kNotAFolder,
         {"src/a.txt", "blocker"}},
        {"copy_tree_into_itself", [](const fs::path& r) { writeKept(r, {"src/a.txt"}); },
         [](const fs::path& r) { CopyFolderTree(r / "src", r / "src" / "copy"); }, "src", kInvalid,
         {"src/a.txt"}},
        {"move_missing_source", nothing,
         [](const fs::path& r) { MoveFile(r / "gone.cmx", r / "out" / "gone.cmx"); }, "gone.cmx", kMissing, {}},
        {"move_target_below_a_file", [](const fs::path& r) { writeKept(r, {"a.cmx", "blocker"}); },
         [](const fs::path& r) { MoveFile(r / "a.cmx", r / "blocker" / "x" / "a.cmx"); }, "blocker", kNotAFolder,
         {"a.cmx", "blocker"}},
        {"move_source_is_a_folder", [](const fs::path& r) { writeKept(r, {"dir/a.txt"}); },
         [](const fs::path& r) { MoveFile(r / "dir", r / "out"); }, "dir", kIsAFolder, {"dir/a.txt"}},
        {"move_onto_a_folder", [](const fs::path& r) { writeKept(r, {"a.cmx", "dir/b.txt"}); },
         [](const fs::path& r) { MoveFile(r / "a.cmx", r / "dir"); }, "dir", kIsAFolder, {"a.cmx", "dir/b.txt"}},
        {"move_to_new_path_target_exists", [](const fs::path& r) { writeKept(r, {"a.cmx", "b.cmx"}); },
         [](const fs::path& r) { MoveToNewPath(r / "a.cmx", r / "b.cmx"); }, "b.cmx", kExists, {"a.cmx", "b.cmx"}},
        {"rename_missing_folder", nothing,
         [](const fs::path& r) { RenameFolder(r / "UserData7", r / "UserData8", RenameCollision::Fail); },
         "UserData7", kMissing, {}},
        {"rename_target_exists", [](const fs::path& r) { writeKept(r, {"UserData2/n.iff", "UserData/n.iff"}); },
         [](const fs::path& r) { RenameFolder(r / "UserData2", r / "UserData", RenameCollision::Fail); },
         "UserData", kExists, {"UserData2/n.iff", "UserData/n.iff"}},
        // A plain rename() would quietly replace an empty folder.
        {"rename_target_is_an_empty_folder",
         [](const fs::path& r) {
             writeKept(r, {"UserData2/n.iff"});
             fs::create_directories(r / "UserData");
         },
         [](const fs::path& r) { RenameFolder(r / "UserData2", r / "UserData", RenameCollision::Fail); },
         "UserData", kExists, {"UserData2/n.iff"}},
        {"rename_target_below_a_file", [](const fs::path& r) { writeKept(r, {"UserData2/n.iff", "blocker"}); },
         [](const fs::path& r) {
             RenameFolder(r / "UserData2", r / "blocker" / "UserData3", RenameCollision::PickFreeName);
         },
         "blocker", kNotAFolder, {"UserData2/n.iff", "blocker"}},
        {"delete_missing_item", nothing, [](const fs::path& r) { DeletePermanently(r / "gone"); }, "gone", kMissing,
         {}},
        {"trash_missing_item", nothing, [](const fs::path& r) { MoveToTrash(r / "gone.bmp"); }, "gone.bmp",
         kMissing, {}},
        {"trash_when_the_home_trash_is_a_file", [](const fs::path& r) { writeKept(r, {"a.bmp", "data/Trash"}); },
         [](const fs::path& r) { MoveToTrash(r / "a.bmp"); }, "data/Trash", kNotAFolder, {"a.bmp", "data/Trash"}},
        {"trash_a_folder_holding_the_trash", [](const fs::path& r) { writeKept(r, {"data/notes.txt"}); },
         [](const fs::path& r) { MoveToTrash(r / "data"); }, "data", kInvalid, {"data/notes.txt"}},
        {"trash_files_of_a_missing_folder", nothing, [](const fs::path& r) { MoveFolderFilesToTrash(r / "gone"); },
         "gone", kMissing, {}},
    };
}

class ShellFailureTest : public ShellTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ShellFailureTest, RaisesMessage7044AndKeepsWhatExisted) {
    const FailureCase& c = GetParam();
    c.prepare(root());
    try {
        c.operation(root());
        FAIL() << "no ShellOperationError";
    } catch (const ShellOperationError& error) {
        EXPECT_EQ(error.messageId().value, 7044);
        const std::string detail = error.what();
        EXPECT_NE(detail.find((root() / c.namedPath).string()), std::string::npos) << detail;
        EXPECT_NE(detail.find(c.reason), std::string::npos) << detail;
    }
    for (const std::string& file : c.untouched) {
        EXPECT_EQ(readText(root() / file), "keep") << file;
    }
    if (fs::exists(homeTrash() / "files")) {
        EXPECT_TRUE(fs::is_empty(homeTrash() / "files"));
        EXPECT_TRUE(fs::is_empty(homeTrash() / "info"));
    }
}

INSTANTIATE_TEST_SUITE_P(Shell, ShellFailureTest, ::testing::ValuesIn(failureCases()),
                         [](const ::testing::TestParamInfo<FailureCase>& param) { return param.param.name; });

}  // namespace
}  // namespace corvane
