// The repair editors' Save beside the command line's fix-texture and fix-cmx:
// the same file, whose copies lie in two folders, comes out byte for byte the
// same, its old bytes kept beside the editor either way.
#include "TestPaths.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "skintools/ui/TfrmCMXEdit.h"

#include "SkinFaults.h"
#include "app/Settings.h"
#include "support/CommandLineRun.h"
#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skintools/EditorBackups.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/ui/QtTestApplication.h"

#include <QPushButton>

#include <gtest/gtest.h>


namespace corvane {
namespace {

namespace fs = std::filesystem;

class RepairCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        SetLanguageModule(LanguageModule::load(fs::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
        game.installation(0);
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    using Result = test::CommandLineResult;
    Result run(std::vector<std::string> words) {
        words.insert(words.begin(), "--quiet");
        return test::RunCommandLineOn(game.root(), std::move(words));
    }

    // The same file once more, of the same name in a folder of its own.
    fs::path twin(const fs::path& file) const {
        const fs::path copy = folder.path() / "twin" / file.filename();
        fs::create_directories(copy.parent_path());
        fs::copy_file(file, copy);
        return copy;
    }

    // The editor's Save, as the validation page opens it.
    void saveInEditor(TRepairDialog& editor) {
        dialogs.answer(mrOk);
        editor.btnSaveChanges->click();
        EXPECT_EQ(editor.result(), QDialog::Accepted);
    }

    test::TempDir folder;
    test::EnvOverride home{"HOME", folder.path().string()};
    test::EnvOverride prefix{"WINEPREFIX", std::nullopt};
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    GameBuilder game{folder.path() / "game"};
    Settings settings;
    test::ScriptedDialogs dialogs;
};

TEST_F(RepairCommandsTest, FixTextureWritesWhatTheColourEditorSaves) {
    const fs::path page = test::WriteTrueColourTexture(game, "GameData/Skins/b001mafitlgt_x.bmp", 64, 32);
    const std::vector<std::uint8_t> original = ReadFileBytes(page);
    const fs::path command = twin(page);

    const Result dry = run({"fix-texture", command.string(), "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(dry.out.starts_with("would write " + command.string() + ": 64 x 32, 8-bit colour")) << dry.out;
    EXPECT_EQ(ReadFileBytes(command), original);
    EXPECT_FALSE(fs::exists(TextureBackupFolder()));

    TfrmBMPEdit editor(ProblemAbout(page, "colours", "BmpColors"), settings, dialogs);
    saveInEditor(editor);
    const Result fixed = run({"fix-texture", command.string()});
    ASSERT_EQ(fixed.status, 0) << fixed.err;
    EXPECT_EQ(ReadFileBytes(command), ReadFileBytes(page));
    EXPECT_EQ(ReadFileBytes(TextureBackupFolder() / "b001mafitlgt_x.bmp.000"), original) << "the page's backup";
    EXPECT_EQ(ReadFileBytes(TextureBackupFolder() / "b001mafitlgt_x.bmp.001"), original) << "the command's backup";
    EXPECT_EQ(fixed.out, "kept the old file as \"" + (TextureBackupFolder() / "b001mafitlgt_x.bmp.001").string() +
                             "\"\nwrote " + command.string() + "\n");

    const Result again = run({"fix-texture", command.string()});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, command.string() + " has 8-bit colour already: nothing to correct\n");
    EXPECT_FALSE(fs::exists(TextureBackupFolder() / "b001mafitlgt_x.bmp.002"));
}

TEST_F(RepairCommandsTest, FixCmxProposesAndWritesWhatTheCharacterFileEditorSaves) {
    game.writeText("GameData/Skins/xskin-b001mafit_01-PELVIS-BODY.skn",
                   JoinCrLf(MeshFileLines(SampleBodyMesh("xskin-b001mafit_01-PELVIS-BODY", "x"))));
    const fs::path page = test::WriteCharacterFile(game, "b001mafit_new.cmx", "B001MAFit_Old",
                                                   {"xskin-b001mafit_01-PELVIS-BODY2"});
    const std::vector<std::string> original = ReadTextFileLines(page);
    const fs::path command = twin(page);

    SkinCatalogue catalogue;
    SilentProgress quiet;
    LoadSkinData(catalogue, SkinFolders(game.root(), 0), quiet);
    TfrmCMXEdit editor(ProblemAbout(page, "wrong", "BadName"), catalogue, settings, dialogs);
    saveInEditor(editor);
    const std::vector<std::string> saved = ReadTextFileLines(page);
    ASSERT_NE(saved, original);

    const Result dry = run({"fix-cmx", command.string(), "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    std::string printed;
    for (const std::string& line : saved) printed += line + "\n";
    EXPECT_EQ(dry.out, printed) << "the proposed file, line by line";
    EXPECT_EQ(ReadTextFileLines(command), original);

    const Result fixed = run({"fix-cmx", command.string()});
    ASSERT_EQ(fixed.status, 0) << fixed.err;
    EXPECT_EQ(ReadFileBytes(command), ReadFileBytes(page));
    EXPECT_EQ(ReadTextFileLines(CharacterFileBackupFolder() / "b001mafit_new.cmx.001"), original);
    EXPECT_EQ(run({"fix-cmx", command.string()}).out, command.string() + " needs no repair\n");
}

TEST_F(RepairCommandsTest, WrongFilesAreRefusedWithTheirExitStatus) {
    const fs::path text = game.writeText("GameData/Skins/notes.txt", "x");
    const struct {
        const char* fault;
        std::vector<std::string> words;
        int status;
    } cases[] = {
        {"texture_missing", {"fix-texture", (game.root() / "none.bmp").string()}, 2},
        {"character_file_missing", {"fix-cmx", (game.root() / "none.cmx").string()}, 2},
        {"texture_not_a_bitmap", {"fix-texture", text.string()}, 1},
        {"character_file_not_a_cmx", {"fix-cmx", text.string()}, 1},
        {"texture_undecodable", {"fix-texture", game.writeText("GameData/Skins/bad.bmp", "BM").string()}, 2},
        {"no_file_named", {"fix-cmx"}, 1},
    };
    for (const auto& c : cases) {
        const Result result = run(c.words);
        EXPECT_EQ(result.status, c.status) << c.fault << ": " << result.err;
        EXPECT_TRUE(result.out.empty()) << c.fault;
    }
    EXPECT_EQ(ReadTextFile(game.root() / "GameData/Skins/bad.bmp"), "BM");
    EXPECT_FALSE(fs::exists(TextureBackupFolder()));
}

}  // namespace
}  // namespace corvane
