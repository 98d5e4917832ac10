#include "skintools/TextureImport.h"

#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "skintools/SkinToolFiles.h"
#include "platform/SystemCalls.h"
#include "unit/skintools/SkinToolFixture.h"

#include <algorithm>

namespace corvane {
namespace {

class TextureImportTest : public test::SkinToolTest {
protected:
    TextureImportRequest request(const std::string& textureFile = "B001MAFitmed_Red.bmp") {
        return {source, "B001MAFit_x", textureFile, {}};
    }
    TextureImportResult import(const TextureImportRequest& wanted) {
        return ImportTexture(wanted, folders(), skins(), dialogs);
    }

    std::vector<std::uint8_t> picture = bitmap8(64, 64);
    std::filesystem::path source = writeBitmap("red.bmp", picture);
};

TEST_F(TextureImportTest, CopiesTheBitmapUnderItsTextureName) {
    dialogs.answer(mrOk).answer(mrNo);
    const TextureImportResult result = import(request());
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.written, skins() / "B001MAFitmed_Red.bmp");
    EXPECT_EQ(ReadFileBytes(result.written), picture);
    EXPECT_TRUE(std::filesystem::exists(source)) << "No to deleting the source keeps it";
    EXPECT_EQ(dialogs.messageTexts(), (std::vector<std::string>{ImportConfirmationText("B001MAFitmed_Red.bmp", "B001MAFit_x"),
                                                                DeleteSourceQuestionText()}));
    EXPECT_EQ(dialogs.messages()[0].text.find(LangStr(8022) + ": \"B001MAFitmed_Red.bmp\"\n" + LangStr(8023) +
                                              ": \"B001MAFit_x.cmx\"\n"),
              0u);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(TextureImportTest, NoToReplacingLeavesBothFilesUntouched) {
    const std::filesystem::path installed = game.writeText("ExpansionShared\\Skins\\B001MAFitmed_Red.bmp", "old");
    dialogs.answer(mrNo);
    EXPECT_EQ(import(request()).outcome, ImportOutcome::Declined);
    EXPECT_EQ(dialogs.messageTexts(),
              std::vector<std::string>{LangStr(8068) + " B001MAFitmed_Red.bmp\nExpansionShared/Skins/B001MAFitmed_Red.bmp\n" +
                                       LangStr(8076)});
    EXPECT_EQ(ReadTextFile(installed), "old");
    EXPECT_EQ(ReadFileBytes(source), picture);
    EXPECT_FALSE(std::filesystem::exists(skins() / "B001MAFitmed_Red.bmp"));
    EXPECT_TRUE(trashed().empty());
}

// A skins folder the game does not search ("/skinsdir") still has its own
// file of that name asked about, never overwritten unasked.
TEST_F(TextureImportTest, AFileOfTheNameInAnUnsearchedSkinsFolderIsAskedAbout) {
    const std::filesystem::path own = game.root() / "MySkins";
    const std::filesystem::path installed = game.writeText("MySkins\\b001mafitmed_red.bmp", "old");
    EXPECT_EQ(PlanTextureImport(request(), folders(), own).installed, std::vector<std::filesystem::path>{installed});
    dialogs.answer(mrNo);
    EXPECT_EQ(ImportTexture(request(), folders(), own, dialogs).outcome, ImportOutcome::Declined);
    EXPECT_EQ(ReadTextFile(installed), "old");
}

// A write that fails after Yes to replacing puts the old texture back.
TEST_F(TextureImportTest, AFailedWriteLeavesTheInstalledTextureInPlace) {
    const std::filesystem::path installed = game.writeText("GameData\\Skins\\B001MAFitmed_Red.bmp", "old");
    dialogs.answer(mrYes).answer(mrOk).answer(mrOk);
    // The new texture's rename into place fails once; putting the old one back may rename there.
    bool refusedOnce = false;
    const sys::CallHook previous = sys::SetCallHook([&](sys::Call call, const std::string& about) {
        if (call != sys::Call::Rename || about != installed.string() || refusedOnce) return 0;
        refusedOnce = true;
        return ENOSPC;
    });
    const TextureImportResult result = import(request());
    sys::SetCallHook(previous);
    ASSERT_TRUE(refusedOnce);
    EXPECT_EQ(result.outcome, ImportOutcome::Failed);
    EXPECT_EQ(ReadTextFile(installed), "old");
    EXPECT_TRUE(result.replaced.empty());
    EXPECT_TRUE(trashed().empty());
    EXPECT_EQ(dialogs.messageTexts().back().rfind(LangStr(7029), 0), 0u) << dialogs.messageTexts().back();
}

// "/skinsdir ExpansionShared/Skins": the skins folder holds the texture in
// another letter case and the game's own folder holds it too. The question
// names both with their folders; Yes sends both to the Trash.
TEST_F(TextureImportTest, EveryFileOfTheNameInTheSkinFoldersIsNamedAndGoesToTheTrash) {
    const std::filesystem::path own = game.root() / "ExpansionShared" / "Skins";
    game.writeText("GameData\\Skins\\B001MAFitmed_Red.bmp", "the game's copy");
    game.writeText("ExpansionShared\\Skins\\b001mafitmed_red.bmp", "the skins folder's copy");
    dialogs.answer(mrYes).answer(mrOk).answer(mrNo);
    const TextureImportResult result = ImportTexture(request(), folders(), own, dialogs);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(dialogs.messageTexts().front(), LangStr(7280) + "\nExpansionShared/Skins/b001mafitmed_red.bmp" +
                                                  "\nGameData/Skins/B001MAFitmed_Red.bmp\n" + LangStr(7281));
    EXPECT_EQ(ReadFileBytes(own / "B001MAFitmed_Red.bmp"), picture);
    EXPECT_FALSE(std::filesystem::exists(own / "b001mafitmed_red.bmp"));
    EXPECT_FALSE(std::filesystem::exists(skins() / "B001MAFitmed_Red.bmp"));
    std::vector<std::string> inTrash;
    for (const std::filesystem::path& file : result.replaced) inTrash.push_back(ReadTextFile(file));
    std::sort(inTrash.begin(), inTrash.end());
    EXPECT_EQ(inTrash, (std::vector<std::string>{"the game's copy", "the skins folder's copy"}));
}

TEST_F(TextureImportTest, CancellingAfterYesToReplacingKeepsTheInstalledFile) {
    const std::filesystem::path installed = game.writeText("GameData\\Skins\\B001MAFitmed_Red.bmp", "old");
    dialogs.answer(mrYes).answer(mrCancel);
    EXPECT_EQ(import(request()).outcome, ImportOutcome::Declined);
    EXPECT_EQ(ReadTextFile(installed), "old");
    EXPECT_TRUE(trashed().empty());
}

TEST_F(TextureImportTest, ReplacingTrashesTheOldTextureAndOnRequestTheSource) {
    game.writeText("ExpansionShared\\Skins\\b001mafitmed_red.bmp", "old");
    dialogs.answer(mrYes).answer(mrOk).answer(mrYes);
    const TextureImportResult result = import(request());
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_FALSE(std::filesystem::exists(game.root() / "ExpansionShared" / "Skins" / "b001mafitmed_red.bmp"));
    EXPECT_EQ(ReadFileBytes(skins() / "B001MAFitmed_Red.bmp"), picture);
    EXPECT_TRUE(result.sourceTrashed);
    EXPECT_FALSE(std::filesystem::exists(source));
    std::vector<std::string> inTrash = trashed();
    std::sort(inTrash.begin(), inTrash.end());
    EXPECT_EQ(inTrash, (std::vector<std::string>{"b001mafitmed_red.bmp", "red.bmp"}));
}

TEST_F(TextureImportTest, ReimportingTheInstalledFileItselfKeepsIt) {
    const std::filesystem::path installed = skins() / "B001MAFitmed_Red.bmp";
    std::filesystem::copy_file(source, installed);
    dialogs.answer(mrYes).answer(mrOk);  // no question about deleting the source: it is the new texture
    const TextureImportResult result = import({installed, "B001MAFit_x", "B001MAFitmed_Red.bmp", {}});
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(ReadFileBytes(installed), picture);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(TextureImportTest, AMissingSourceIsReportedAndWritesNothing) {
    std::filesystem::remove(source);
    dialogs.answer(mrOk).answer(mrOk);
    EXPECT_EQ(import(request()).outcome, ImportOutcome::Failed);
    EXPECT_EQ(dialogs.messages().back().kind, MsgKind::Error);
    EXPECT_EQ(dialogs.messages().back().text.find(LangStr(7029)), 0u);
    EXPECT_FALSE(std::filesystem::exists(skins() / "B001MAFitmed_Red.bmp"));
}

TEST_F(TextureImportTest, NamesNeverReachOutOfTheSkinsFolder) {
    for (const std::string name : {"../B001MAFitmed_Red.bmp", "sub/B.bmp", "..", ".bmp", ""}) {
        EXPECT_THROW(import(request(name)), std::invalid_argument) << name;
    }
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(std::filesystem::exists(game.root() / "GameData" / "B001MAFitmed_Red.bmp"));
}

TEST(SkinNameFilter, ABlankOrAFolderPartIsTakenOutAndSaidSo) {
    const FilteredName blank = FilterSkinName("Red Skin");
    EXPECT_EQ(blank.text, "RedSkin");
    EXPECT_TRUE(blank.changed);
    EXPECT_EQ(FilterSkinName("../up").text, "up");
    const FilteredName fine = FilterSkinName("Red-Skin_2");
    EXPECT_EQ(fine.text, "Red-Skin_2");
    EXPECT_FALSE(fine.changed);
}

}  // namespace
}  // namespace corvane
