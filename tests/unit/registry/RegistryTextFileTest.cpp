#include "platform/RegistryTextFile.h"

#include "support/RegistryTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(ReplaceFileAtomically, KeepsPermissionsAndTheLinkToTheRealFile) {
    test::TempDir temp;
    const fs::path real = temp.path() / "real" / "system.reg";
    const fs::path link = temp.path() / "system.reg";
    test::writeTextFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);

    ReplaceFileAtomically(link, "new");

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadTextFile(real), "new");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(real.parent_path()), fs::directory_iterator()), 1);
}

TEST(ReplaceFileAtomically, MissingFolderFailsNamingTheFile) {
    test::TempDir temp;
    const fs::path file = temp.path() / "missing" / "registry.ini";
    try {
        ReplaceFileAtomically(file, "x");
        FAIL() << "the write should fail";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
    }
}

TEST(SplitTextLines, LineBreaksAreNoContent) {
    const std::string text = "a\r\n\nb";
    const std::vector<TextLine> lines = SplitTextLines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].in(text), "a");
    EXPECT_EQ(lines[1].in(text), "");
    EXPECT_EQ(lines[2].in(text), "b");
    EXPECT_EQ(lines[2].next, text.size());
}

}  // namespace
}  // namespace corvane
