// The core of the two repair editors the validation list opens.
#include "skintools/CharacterFileRepair.h"
#include "skintools/EditorBackups.h"

#include "ValidationSupport.h"
#include "demo/SkinFileWriters.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using ValidationRepairTest = test::SkinToolsTest;

constexpr std::size_t kSuitLine = 4;
constexpr std::size_t kMeshLine = 9;

TEST_F(ValidationRepairTest, BackupsTakeTheLowestFreeNumber) {
    const fs::path backups = TextureBackupFolder();
    EXPECT_EQ(backups, folder.path() / "app" / "BMP_EDIT");
    EXPECT_EQ(CharacterFileBackupFolder(), folder.path() / "app" / "CMX_EDIT");
    fs::create_directories(backups);
    EXPECT_EQ(NextBackupPath(backups, "x.bmp"), backups / "x.bmp.000");
    game.writeText("../app/BMP_EDIT/x.bmp.001", "b");
    EXPECT_EQ(NextBackupPath(backups, "x.bmp"), backups / "x.bmp.000") << "a gap is filled first";
    game.writeText("../app/BMP_EDIT/x.bmp.000", "a");
    EXPECT_EQ(NextBackupPath(backups, "x.bmp"), backups / "x.bmp.002");
}

TEST_F(ValidationRepairTest, ARepairIsSavedAfterItsBackupOrNotAtAll) {
    const fs::path file = game.writeText("GameData/Skins/x.cmx", "old");
    const fs::path backups = CharacterFileBackupFolder();
    EXPECT_EQ(SaveRepairedFile(file, backups, true, "new"), backups / "x.cmx.000");
    EXPECT_EQ(ReadTextFile(backups / "x.cmx.000"), "old");
    EXPECT_EQ(ReadTextFile(file), "new");
    EXPECT_TRUE(SaveRepairedFile(file, backups, false, "newer").empty());
    EXPECT_EQ(ReadTextFile(file), "newer");
    EXPECT_FALSE(fs::exists(backups / "x.cmx.001")) << "no backup asked for";

    const fs::path blocked = game.writeText("../app/blocked", "a file, not a folder");
    try {
        SaveRepairedFile(file, blocked, true, "newest");
        ADD_FAILURE() << "a backup that cannot be made must stop the save";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind(LangStr(7155), 0), 0u) << error.what();
    }
    EXPECT_EQ(ReadTextFile(file), "newer");
}

TEST_F(ValidationRepairTest, AWrongSuitNameBecomesTheFileName) {
    const auto lines = CharacterFileLines(SampleSuit("B001MAFit_Old", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY"));
    ASSERT_EQ(lines[kSuitLine], "B001MAFit_Old");
    const auto proposal = ProposeCharacterFileRepair(lines, "b001mafit_new.cmx", "wrong name",
                                                     {"/g/xskin-b001mafit_01-PELVIS-BODY.skn"}, {});
    auto expected = lines;
    expected[kSuitLine] = "b001mafit_new";
    EXPECT_EQ(proposal.lines, expected);
    EXPECT_EQ(proposal.problems, "1: wrong name\r\n\r\n");
    ASSERT_EQ(proposal.marks.size(), 1u);
    EXPECT_EQ(proposal.marks[0].line, kSuitLine);
    EXPECT_EQ(proposal.marks[0].length, 13u);
    EXPECT_EQ(proposal.marks[0].style, EditorMarkStyle::BoldNavy);
}

TEST_F(ValidationRepairTest, AnUnknownMeshIsReplacedByTheMostSimilarInstalledOne) {
    const auto lines = CharacterFileLines(SampleSuit("b001mafit_01", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY2"));
    const std::vector<FarRecordDetails> archived{{0, 0, 0, "/g/a.far", "xskin-b001mafit_01-PELVIS-BODY.bmf"}};
    const auto proposal = ProposeCharacterFileRepair(
        lines, "b001mafit_01.cmx", "missing mesh", {"/g/xskin-b001mafit_01-HEAD.skn", "/g/xskin-b001mafit-x.skn"},
        archived);
    EXPECT_EQ(proposal.lines[kMeshLine], "xskin-b001mafit_01-PELVIS-BODY") << "the longest shared beginning wins";
    EXPECT_EQ(proposal.problems, "1: missing mesh\r\n" + LangStr(6156) + "\r\n\r\n");
    ASSERT_EQ(proposal.marks.size(), 1u);
    EXPECT_EQ(proposal.marks[0].line, kMeshLine);
}

TEST_F(ValidationRepairTest, LooseMeshesAreTriedBeforeArchivedOnes) {
    const auto lines = CharacterFileLines(SampleSuit("b001mafit_01", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY2"));
    const std::vector<FarRecordDetails> archived{{0, 0, 0, "/g/a.far", "xskin-b001mafit_01-PELVIS-BODYA.bmf"}};
    const auto proposal = ProposeCharacterFileRepair(lines, "b001mafit_01.cmx", "d",
                                                     {"/g/xskin-b001mafit_01-PELVIS-BODYB.skn"}, archived);
    EXPECT_EQ(proposal.lines[kMeshLine], "xskin-b001mafit_01-PELVIS-BODYB");
}

TEST_F(ValidationRepairTest, AMeshWithNothingSimilarStaysAndTurnsRed) {
    // Nothing installed shares more than the part before the first "_".
    const auto lines = CharacterFileLines(SampleSuit("b001mafit_01", "PELVIS", "xskin-zzz_01-PELVIS-BODY"));
    const auto proposal = ProposeCharacterFileRepair(lines, "b001mafit_01.cmx", "d",
                                                     {"/g/xskin-zzz.skn", "/g/xskin-b002mafit_01-PELVIS-BODY.skn"}, {});
    EXPECT_EQ(proposal.lines, lines);
    EXPECT_EQ(proposal.problems, "1: xskin-zzz_01-PELVIS-BODY" + LangStr(6155) + "\r\n\r\n");
    ASSERT_EQ(proposal.marks.size(), 1u);
    EXPECT_EQ(proposal.marks[0].line, kMeshLine);
    EXPECT_EQ(proposal.marks[0].style, EditorMarkStyle::Red);
}

TEST_F(ValidationRepairTest, ASoundFileNeedsNothing) {
    const auto lines = CharacterFileLines(SampleSuit("b001mafit_01", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY"));
    const auto proposal = ProposeCharacterFileRepair(lines, "B001MAFIT_01.cmx", "d",
                                                     {"/g/XSKIN-b001mafit_01-PELVIS-BODY.skn"}, {});
    EXPECT_EQ(proposal.lines, lines);
    EXPECT_EQ(proposal.problemCount, 0);
    EXPECT_TRUE(proposal.marks.empty());
}

}  // namespace
}  // namespace corvane
