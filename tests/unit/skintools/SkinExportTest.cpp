#include "skintools/SkinExport.h"

#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "platform/TextLines.h"
#include "skintools/SkinToolFiles.h"
#include "unit/skintools/SkinToolFixture.h"

namespace corvane {
namespace {

// A character file whose suit name stands on its fifth line, after comment,
// version and header lines of every kind the copy keeps.
const std::vector<std::string> kSourceLines = {
    "// made by hand", "Version 300", "0", "1", "B001MAFit_01", "0", "0", "1", "PELVIS",
    "xskin-B001MAFit_01-PELVIS-BODY", "0", "0", "0",
};

class SkinExportTest : public test::SkinToolTest {
protected:
    void SetUp() override {
        SkinToolTest::SetUp();
        game.writeText("GameData\\Skins\\B001MAFit_01.cmx", JoinCrLf(kSourceLines));
        game.writeText("GameData\\Skins\\B001MAFitmed_casual.bmp", "texture bytes");
    }

    SkinExportResult exportSkin(const SkinExportRequest& wanted = kRequest) {
        return ExportSkin(wanted, folders(), builtCatalogue(), skins(), dialogs);
    }

    static inline const SkinExportRequest kRequest{"B001MAFit_01", "B001MAFitmed_casual", "B001FAFat_Red.cmx",
                                                   "B001FAFatlgt_Red.bmp"};
};

TEST_F(SkinExportTest, WritesTheCharacterFileWithTheNewSuitNameAndCopiesTheTexture) {
    dialogs.answer(mrOk).answer(mrOk);
    const SkinExportResult result = exportSkin();
    EXPECT_EQ(result.outcome, ExportOutcome::Exported);
    std::vector<std::string> expected = kSourceLines;
    expected[4] = "b001fafat_red";
    EXPECT_EQ(ReadTextFileLines(skins() / "B001FAFat_Red.cmx"), expected);
    EXPECT_EQ(ReadTextFile(skins() / "B001FAFatlgt_Red.bmp"), "texture bytes");
    EXPECT_EQ(dialogs.messageTexts(), (std::vector<std::string>{"B001FAFat_Red.cmx " + LangStr(7149),
                                                                "B001FAFatlgt_Red.bmp " + LangStr(7149)}));
    EXPECT_FALSE(catalogue.complete()) << "the catalogue is built again with the new files";
}

TEST_F(SkinExportTest, DecliningToReplaceTheTextureWritesNothing) {
    const std::filesystem::path installedCharacter = game.writeText("GameData\\Skins\\B001FAFat_Red.cmx", "old cmx");
    const std::filesystem::path installedTexture = game.writeText("ExpansionShared\\Skins\\B001FAFatlgt_Red.bmp", "old");
    dialogs.answer(mrYes).answer(mrNo);  // Yes to the character file, No to the texture
    EXPECT_EQ(exportSkin().outcome, ExportOutcome::Declined);
    EXPECT_EQ(dialogs.messageTexts(),
              (std::vector<std::string>{
                  LangStr(8068) + " B001FAFat_Red.cmx\n" + LangStr(8076),
                  LangStr(8068) + " B001FAFatlgt_Red.bmp\nExpansionShared/Skins/B001FAFatlgt_Red.bmp\n" + LangStr(8076)}))
        << "a file elsewhere than the new file's place is named with its folder";
    EXPECT_EQ(ReadTextFile(installedCharacter), "old cmx");
    EXPECT_EQ(ReadTextFile(installedTexture), "old");
    EXPECT_FALSE(std::filesystem::exists(skins() / "B001FAFatlgt_Red.bmp"));
    EXPECT_TRUE(trashed().empty());
}

TEST_F(SkinExportTest, KeepingTheCharacterFileGoesOnWithTheTextureOnly) {
    const std::filesystem::path installed = game.writeText("GameData\\Skins\\B001FAFat_Red.cmx", "old cmx");
    dialogs.answer(mrNo).answer(mrYes).answer(mrOk);
    const SkinExportResult result = exportSkin();
    EXPECT_EQ(result.outcome, ExportOutcome::Exported);
    EXPECT_EQ(dialogs.messages()[1].text, KeepCharacterFileQuestionText("B001FAFat_Red.cmx"));
    EXPECT_EQ(ReadTextFile(installed), "old cmx");
    EXPECT_TRUE(result.characterWritten.empty());
    EXPECT_EQ(result.textureWritten, skins() / "B001FAFatlgt_Red.bmp");
}

TEST_F(SkinExportTest, NoToBothCharacterFileQuestionsEndsTheExport) {
    game.writeText("GameData\\Skins\\B001FAFat_Red.cmx", "old cmx");
    dialogs.answer(mrNo).answer(mrNo);
    EXPECT_EQ(exportSkin().outcome, ExportOutcome::Declined);
    EXPECT_FALSE(std::filesystem::exists(skins() / "B001FAFatlgt_Red.bmp"));
}

TEST_F(SkinExportTest, ReplacingTrashesTheOldFilesAfterReadingTheSources) {
    // The texture is exported onto its own name: it is read before it goes to the Trash.
    game.writeText("GameData\\Skins\\B001FAFat_Red.cmx", "old cmx");
    dialogs.answer(mrYes).answer(mrYes).answer(mrOk).answer(mrOk);
    const SkinExportResult result =
        exportSkin({"B001MAFit_01", "B001MAFitmed_casual", "B001FAFat_Red.cmx", "B001MAFitmed_casual.bmp"});
    EXPECT_EQ(result.outcome, ExportOutcome::Exported);
    EXPECT_EQ(ReadTextFile(skins() / "B001MAFitmed_casual.bmp"), "texture bytes");
    EXPECT_EQ(trashed().size(), 2u);
    EXPECT_NE(ReadTextFile(skins() / "B001FAFat_Red.cmx"), "old cmx");
}

TEST_F(SkinExportTest, ConvertsAnArchivedCharacterFileAndCopiesAnArchivedTexture) {
    archive({{"Skins\\b002mafit_01.cmx.bcf", BinaryCharacterFile(SampleSuit("b002mafit_01", "PELVIS", "xskin-b002"))},
             {"Skins\\b002mafitlgt_sporty.bmp", {'B', 'M', 9}}});
    dialogs.answer(mrOk).answer(mrOk);
    const SkinExportResult result =
        exportSkin({"b002mafit_01", "B002MAFITLGT_SPORTY", "B002FAFat_Red.cmx", "B002FAFatlgt_Red.bmp"});
    EXPECT_EQ(result.outcome, ExportOutcome::Exported);
    const std::vector<std::string> lines = ReadTextFileLines(skins() / "B002FAFat_Red.cmx");
    ASSERT_GT(lines.size(), 9u);
    EXPECT_EQ(lines[0].rfind("// Exported by Corvane ", 0), 0u);
    EXPECT_EQ(lines[1], "version 300");
    EXPECT_EQ(lines[4], "B002FAFat_Red");
    EXPECT_EQ(lines[9], "xskin-b002");
    EXPECT_EQ(ReadFileBytes(skins() / "B002FAFatlgt_Red.bmp"), (std::vector<std::uint8_t>{'B', 'M', 9}));
}

TEST_F(SkinExportTest, ATextureFoundNowhereIsReported) {
    dialogs.answer(mrOk).answer(mrOk);
    const SkinExportResult result = exportSkin({"B001MAFit_01", "nothing", "B001FAFat_Red.cmx", "B001FAFatlgt_Red.bmp"});
    EXPECT_EQ(result.outcome, ExportOutcome::Failed);
    EXPECT_EQ(result.characterWritten, skins() / "B001FAFat_Red.cmx");
    EXPECT_EQ(dialogs.messages().back().kind, MsgKind::Error);
    EXPECT_EQ(dialogs.messages().back().text,
              "B001FAFatlgt_Red.bmp " + LangStr(7150) + "\n" + LangStr(7200) + " nothing.bmp");
}

TEST(SuitNameLine, TheFirstLineOfNoHeaderKindIsReplaced) {
    std::vector<std::string> lines = {"/", "0", "1", "v", "", "name", "x"};
    EXPECT_TRUE(ReplaceSuitNameLine(lines, "new"));
    EXPECT_EQ(lines, (std::vector<std::string>{"/", "0", "1", "v", "new", "name", "x"}));
    std::vector<std::string> header = {"// only", "version 300"};
    EXPECT_FALSE(ReplaceSuitNameLine(header, "new"));
}

}  // namespace
}  // namespace corvane
