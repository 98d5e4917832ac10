#include "skins/CensorFiles.h"

#include "demo/GameBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/TextLines.h"
#include "skins/CharacterFileCheck.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    return SplitTextLines(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

class CensorFilesTest : public ::testing::Test {
protected:
    std::filesystem::path skins() const { return game.root() / "GameData" / "Skins"; }
    std::size_t trashed() const {
        const auto files = home.path() / "Trash" / "files";
        if (!std::filesystem::exists(files)) return 0;
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(files), {}));
    }

    test::TempDir folder;
    test::TempDir home;
    test::EnvOverride trash{"XDG_DATA_HOME", home.path().string()};
    GameBuilder game{folder.path() / "game"};
};

TEST_F(CensorFilesTest, BlurOffWritesTheLevelsFileAndBlurOnTrashesIt) {
    struct Case {
        CensorKind kind;
        int level;
        const char* file;
        const char* suit;
    };
    const Case cases[] = {
        {CensorKind::Adult, 2, "adult-censor.cmx", "adult-censor"}, {CensorKind::Adult, 3, "Adult.cmx", "adult-needs"},
        {CensorKind::Child, 2, "child-censor.cmx", "child-censor"}, {CensorKind::Child, 7, "Child.cmx", "child-needs"},
        {CensorKind::Cat, 2, "kat-censor.cmx", "kat-needs"},        {CensorKind::Cat, 7, "kat-censor.cmx", "kat-needs"},
        {CensorKind::Dog, 6, "dog-censor.cmx", "dog-needs"},
    };
    game.writeText("GameData/Skins/b001mafit_01.cmx", "x");
    std::size_t expectedInTrash = 0;
    for (const Case& c : cases) {
        const SkinFolders folders(game.root(), c.level);
        ASSERT_TRUE(BlurOn(folders, c.kind)) << c.file;
        SetBlur(folders, c.kind, false);
        const std::string text = ReadTextFile(skins() / c.file);
        EXPECT_EQ(ReadTextFileLines(skins() / c.file), (std::vector<std::string>{"// Character File. Generated with Corvane https://corvane3d.github.io/",
                                                              "version 300", "0", "1", c.suit, "1", "0", "0"}))
            << c.file;
        EXPECT_EQ(text.substr(text.size() - 6), "0\r\n0\r\n") << "every line ends in CR LF";
        EXPECT_FALSE(BlurOn(folders, c.kind)) << c.file;

        SetBlur(folders, c.kind, true);
        EXPECT_FALSE(std::filesystem::exists(skins() / c.file)) << c.file;
        EXPECT_EQ(trashed(), ++expectedInTrash) << "the player's file of that name can be restored";
        EXPECT_TRUE(BlurOn(folders, c.kind)) << c.file;
    }
}

TEST_F(CensorFilesTest, BlurOnFindsTheFileInAnyCaseAndNothingIsLeftToDo) {
    game.writeText("gamedata/skins/child.cmx", "mine");
    const SkinFolders folders(game.root(), 5);
    EXPECT_FALSE(BlurOn(folders, CensorKind::Child));
    SetBlur(folders, CensorKind::Child, true);
    EXPECT_TRUE(BlurOn(folders, CensorKind::Child));
    EXPECT_NO_THROW(SetBlur(folders, CensorKind::Child, true)) << "no file: nothing to do";
    EXPECT_EQ(trashed(), 1u);
}

TEST_F(CensorFilesTest, ACensorFileIsNeverReportedByTheCharacterFileCheck) {
    const KnownMeshes noMeshes(std::vector<std::filesystem::path>{}, std::vector<FarRecordDetails>{});
    for (CensorKind kind : {CensorKind::Adult, CensorKind::Child, CensorKind::Cat, CensorKind::Dog}) {
        const std::string name = CensorFileName(kind, 3);
        const auto findings =
            AnalyseCharacterFile(linesOf(CensorFileText(kind, 3)), name.substr(0, name.size() - 4), noMeshes);
        EXPECT_TRUE(findings.ok()) << name;
    }
}

}  // namespace
}  // namespace corvane
