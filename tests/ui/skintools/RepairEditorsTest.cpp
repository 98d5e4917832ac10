// The two repair editors, through their widgets: what they propose, what
// they show, and what saving and closing do to the file and its backups.
#include "TestPaths.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "skintools/ui/TfrmCMXEdit.h"

#include "SkinFaults.h"
#include "app/Settings.h"
#include "app/ui/GameText.h"
#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "skintools/EditorBackups.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/ui/QtTestApplication.h"

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

namespace fs = std::filesystem;

constexpr int kSuitLine = 4;
constexpr int kMeshLine = 9;

class RepairEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        SetLanguageModule(LanguageModule::load(fs::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    static ProblemRecordDetails problemAbout(const fs::path& file, const std::string& description,
                                             const std::string& kind) {
        return ProblemAbout(file, description, kind);
    }
    fs::path texture() { return test::WriteTrueColourTexture(game, "GameData/Skins/b001mafitlgt_x.bmp", 64, 32); }
    std::string expectSavedMessage() {
        EXPECT_EQ(dialogs.messages().size(), 1u);
        if (dialogs.messages().empty()) return {};
        EXPECT_EQ(dialogs.messages().back().caption, LangStr(5022));
        std::string text = dialogs.messages().back().text;
        dialogs.forgetShown();
        return text;
    }

    test::TempDir folder;
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    GameBuilder game{folder.path() / "game"};
    Settings settings;
    test::ScriptedDialogs dialogs;
};

std::set<std::uint32_t> coloursOf(const Bitmap& bitmap) {
    std::set<std::uint32_t> colours;
    for (const Rgb& pixel : bitmap.pixels) colours.insert(pixel.r << 16 | pixel.g << 8 | pixel.b);
    return colours;
}

TEST_F(RepairEditorsTest, ColourEditorShowsTheTextureBesideItsEightBitForm) {
    const fs::path file = texture();
    TfrmBMPEdit editor(problemAbout(file, "line one\r\nline two", "BmpColors"), settings, dialogs);
    EXPECT_EQ(editor.windowTitle().toStdString(), LangStr(6192));
    EXPECT_EQ(editor.lblOriginal->text().toStdString(), LangStr(6154) + " (b001mafitlgt_x.bmp)");
    EXPECT_EQ(editor.lblNew->text().toStdString(), LangStr(6189));
    EXPECT_EQ(editor.lblBackupFiles->text().toStdString(), LangStr(6190));
    EXPECT_EQ(editor.btnSaveChanges->text().toStdString(), LangStr(5061));
    EXPECT_EQ(editor.btnClose->text().toStdString(), LangStr(5008));
    EXPECT_EQ(editor.lblProblem->text(), "line one\nline two");
    EXPECT_EQ(editor.lblPath->text().toStdString(), "Full Path: " + file.string());
    EXPECT_TRUE(editor.ckBackup->isChecked());
    EXPECT_FALSE(editor.imgOriginal->pixmap().isNull());
    EXPECT_FALSE(editor.imgNew->pixmap().isNull());

    ASSERT_GT(coloursOf(editor.current()).size(), 236u) << "the fixture must need a palette";
    EXPECT_EQ(editor.proposal().width, 64);
    EXPECT_EQ(editor.proposal().height, 32);
    EXPECT_TRUE(editor.proposal().hasIndices());
    EXPECT_LE(coloursOf(editor.proposal()).size(), 236u);
}

TEST_F(RepairEditorsTest, ColourEditorSavesEightBitsAndKeepsNumberedBackups) {
    const fs::path file = texture();
    const std::vector<std::uint8_t> original = ReadFileBytes(file);
    std::vector<std::uint8_t> firstSave;
    for (const char* number : {".000", ".001"}) {
        SCOPED_TRACE(number);
        dialogs.answer(mrOk);
        TfrmBMPEdit editor(problemAbout(file, "colours", "BmpColors"), settings, dialogs);
        editor.btnSaveChanges->click();
        EXPECT_EQ(editor.result(), QDialog::Accepted);
        EXPECT_EQ(expectSavedMessage(), LangStr(7156));
        EXPECT_TRUE(fs::exists(TextureBackupFolder() / (std::string("b001mafitlgt_x.bmp") + number)));
        if (firstSave.empty()) firstSave = ReadFileBytes(file);
    }
    EXPECT_EQ(ReadFileBytes(TextureBackupFolder() / "b001mafitlgt_x.bmp.000"), original);
    EXPECT_EQ(ReadFileBytes(TextureBackupFolder() / "b001mafitlgt_x.bmp.001"), firstSave);
    const Bitmap saved = DecodeBmp(ReadFileBytes(file), file.string());
    EXPECT_EQ(saved.bitDepth, 8);
    EXPECT_EQ(saved.width, 64);
    EXPECT_EQ(saved.height, 32);
    EXPECT_LE(coloursOf(saved).size(), 236u);
}

TEST_F(RepairEditorsTest, ClosingOrSavingWithoutBackupKeepsNoCopy) {
    const fs::path file = texture();
    const std::vector<std::uint8_t> original = ReadFileBytes(file);
    {
        TfrmBMPEdit editor(problemAbout(file, "colours", "BmpColors"), settings, dialogs);
        editor.btnClose->click();
        EXPECT_EQ(editor.result(), QDialog::Rejected);
        EXPECT_EQ(ReadFileBytes(file), original) << "closing leaves the file untouched";
    }
    dialogs.answer(mrOk);
    TfrmBMPEdit editor(problemAbout(file, "colours", "BmpColors"), settings, dialogs);
    editor.ckBackup->setChecked(false);
    editor.btnSaveChanges->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_NE(ReadFileBytes(file), original);
    EXPECT_FALSE(fs::exists(TextureBackupFolder()));
}

TEST_F(RepairEditorsTest, AFailedBackupWritesNothingAndKeepsTheEditorOpen) {
    const fs::path file = texture();
    const std::vector<std::uint8_t> original = ReadFileBytes(file);
    // A file where the backup folder should be: no copy can be made there.
    game.writeText("../app/BMP_EDIT", "in the way");
    dialogs.answer(mrOk);
    TfrmBMPEdit editor(problemAbout(file, "colours", "BmpColors"), settings, dialogs);
    editor.btnSaveChanges->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text.rfind(LangStr(7155), 0), 0u) << dialogs.messages()[0].text;
    EXPECT_EQ(dialogs.messages()[0].kind, MsgKind::Error);
    EXPECT_NE(editor.result(), QDialog::Accepted);
    EXPECT_EQ(ReadFileBytes(file), original);
}

TEST_F(RepairEditorsTest, AWriteProtectedTextureIsRepairedAllTheSame) {
    const fs::path file = texture();
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    dialogs.answer(mrOk);
    TfrmBMPEdit editor(problemAbout(file, "colours", "BmpColors"), settings, dialogs);
    editor.btnSaveChanges->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(DecodeBmp(ReadFileBytes(file)).bitDepth, 8);
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);
}

class CharacterFileEditorTest : public RepairEditorsTest {
protected:
    QTextCharFormat formatAt(const QPlainTextEdit& editor, int line, int column) {
        const QTextBlock block = editor.document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        // The format of the character before the cursor.
        cursor.setPosition(block.position() + column + 1);
        return cursor.charFormat();
    }
    QString lineOf(const QPlainTextEdit& editor, int line) {
        return editor.document()->findBlockByNumber(line).text();
    }

    SkinCatalogue catalogue() {
        SkinCatalogue installed;
        installed.SknFileList = std::vector<fs::path>{game.root() / "GameData/Skins/xskin-b001mafit_01-PELVIS-BODY.skn"};
        installed.ArchiveMeshEntries = std::vector<FarRecordDetails>{};
        return installed;
    }
};

TEST_F(CharacterFileEditorTest, TheSuitNameFixAndASimilarMeshAreBoldNavyAnUnknownMeshRed) {
    const fs::path similar = test::WriteCharacterFile(game, "b001mafit_new.cmx", "B001MAFit_Old",
                                                      {"xskin-b001mafit_01-PELVIS-BODY2"});
    TfrmCMXEdit editor(problemAbout(similar, "wrong", "BadName"), catalogue(), settings, dialogs);
    EXPECT_EQ(editor.windowTitle().toStdString(), LangStr(6191));
    EXPECT_EQ(editor.lblOriginal->text().toStdString(), LangStr(6154) + "\n(b001mafit_new.cmx)");
    EXPECT_EQ(editor.lblPath->text().toStdString(), "Full Path: : " + similar.string());
    EXPECT_EQ(editor.edtOriginal->toolTip().toStdString(), similar.string());
    EXPECT_TRUE(editor.edtOriginal->isReadOnly());
    EXPECT_FALSE(editor.edtNew->isReadOnly());
    EXPECT_EQ(editor.edtOriginal->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(editor.edtNew->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(lineOf(*editor.edtOriginal, kSuitLine), "B001MAFit_Old");
    EXPECT_EQ(lineOf(*editor.edtNew, kSuitLine), "b001mafit_new");
    EXPECT_EQ(lineOf(*editor.edtNew, kMeshLine), "xskin-b001mafit_01-PELVIS-BODY");
    EXPECT_EQ(editor.lblProblem->text().toStdString(), "1: wrong\n\n2: wrong\n" + LangStr(6156) + "\n\n");
    for (const int line : {kSuitLine, kMeshLine}) {
        SCOPED_TRACE(line);
        const QTextCharFormat format = formatAt(*editor.edtNew, line, 0);
        EXPECT_EQ(format.fontWeight(), QFont::Bold);
        EXPECT_EQ(format.foreground().color(), QColor(0, 0, 128));
    }
    EXPECT_NE(formatAt(*editor.edtNew, kSuitLine - 1, 0).fontWeight(), QFont::Bold) << "only the changes";
    EXPECT_NE(formatAt(*editor.edtOriginal, kSuitLine, 0).fontWeight(), QFont::Bold);

    const fs::path unknown = test::WriteCharacterFile(game, "b001mafit_01.cmx", "b001mafit_01", {test::kUnknownMesh});
    TfrmCMXEdit other(problemAbout(unknown, "missing", "MissingSKN"), catalogue(), settings, dialogs);
    EXPECT_EQ(lineOf(*other.edtNew, kMeshLine).toStdString(), test::kUnknownMesh) << "nothing similar: it stays";
    EXPECT_EQ(formatAt(*other.edtNew, kMeshLine, 3).foreground().color(), QColor(255, 0, 0));
    EXPECT_NE(formatAt(*other.edtNew, kMeshLine, 3).fontWeight(), QFont::Bold);
    EXPECT_EQ(other.lblProblem->text().toStdString(), std::string("1: ") + test::kUnknownMesh + LangStr(6155) + "\n\n");
}

TEST_F(CharacterFileEditorTest, SavingWritesTheEditedProposalWithCrLfAndABackup) {
    const fs::path file = test::WriteCharacterFile(game, "b001mafit_new.cmx", "B001MAFit_Old",
                                                   {"xskin-b001mafit_01-PELVIS-BODY"});
    const std::string original = ReadTextFile(file);
    {
        TfrmCMXEdit editor(problemAbout(file, "wrong", "BadName"), catalogue(), settings, dialogs);
        editor.btnClose->click();
        EXPECT_EQ(editor.result(), QDialog::Rejected);
        EXPECT_EQ(ReadTextFile(file), original);
    }
    dialogs.answer(mrOk);
    TfrmCMXEdit editor(problemAbout(file, "wrong", "BadName"), catalogue(), settings, dialogs);
    // The user's own edit of the proposal is saved with it.
    QTextCursor cursor(editor.edtNew->document()->findBlockByNumber(0));
    cursor.insertText("// ");
    editor.btnSaveChanges->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(expectSavedMessage(), LangStr(7156));
    std::string expected = "// " + original;
    expected.replace(expected.find("B001MAFit_Old"), 13, "b001mafit_new");
    EXPECT_EQ(ReadTextFile(file), expected);
    EXPECT_EQ(ReadTextFile(CharacterFileBackupFolder() / "b001mafit_new.cmx.000"), original);
}

TEST_F(CharacterFileEditorTest, LinesLeftAsShownKeepBytesTheCodePageDoesNotDefine) {
    const fs::path written = test::WriteCharacterFile(game, "b001mafit_new.cmx", "B001MAFit_Old",
                                                      {"xskin-b001mafit_01-PELVIS-BODY"});
    // 0x81 and 0x8D have no character in the western code page; 0xE9 is "é".
    std::string original = ReadTextFile(written);
    original.insert(original.find("\r\n"), " caf\xE9 \x81\x8D");
    original += "\x8D\r\n";
    const fs::path file = game.writeText("GameData/Skins/b001mafit_new.cmx", original);
    dialogs.answer(mrOk);
    TfrmCMXEdit editor(problemAbout(file, "wrong", "BadName"), catalogue(), settings, dialogs);
    // A line typed above them shifts every line; the last line is edited.
    QTextCursor cursor(editor.edtNew->document()->findBlockByNumber(0));
    cursor.insertText(QString::fromUtf8("// d\u00e9j\u00e0\n"));
    QTextCursor end(editor.edtNew->document()->lastBlock());
    end.movePosition(QTextCursor::EndOfBlock);
    end.insertText("!");
    editor.btnSaveChanges->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(expectSavedMessage(), LangStr(7156));
    std::string expected = "// d\xE9j\xE0\r\n" + original;
    expected.replace(expected.find("B001MAFit_Old"), 13, "b001mafit_new");
    const std::size_t lastLine = expected.size() - 3;
    ASSERT_EQ(expected.substr(lastLine), "\x8D\r\n");
    // The edited line is converted as typed, its undefined byte with it.
    expected.replace(lastLine, 1, GameBytes(GameText("\x8D") + "!"));
    EXPECT_EQ(ReadTextFile(file), expected) << "only the typed and the edited lines are converted";
    EXPECT_NE(ReadTextFile(file).find(" caf\xE9 \x81\x8D\r\n"), std::string::npos);
}

}  // namespace
}  // namespace corvane
