// A second editor on an installation another one holds: read-only or quit.

#include "TestPaths.h"
#include "app/Settings.h"
#include "app/ui/TThinTrackbar.h"
#include "app/ui/TfrmMain.h"
#include "demo/DemoInstallation.h"
#include "platform/FileBytes.h"
#include "platform/GameWriteGuard.h"
#include "platform/InstallationLock.h"
#include "platform/LanguageModule.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/ui/QtTestApplication.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class SecondEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        AppSettings() = Settings();
        registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA", game.string());
        registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE", "USEnglish");
        window = std::make_unique<TfrmMain>(
            MainWindowServices{dialogs, registry, {}, CORVANE_LANG_DIR, [] { return std::string(); }});
    }
    void TearDown() override {
        window.reset();
        SetLanguageModule(LanguageModule());
        AppSettings() = Settings();
    }
    // The text of the question a second editor asks.
    bool askedAboutTheFirst() const {
        const std::vector<std::string> shown = dialogs.messageTexts();
        return !shown.empty() && shown.front().find(LangStr(7305)) != std::string::npos &&
               shown.front().find(game.string()) != std::string::npos &&
               shown.front().find("the first Corvane 3D") != std::string::npos;
    }

    test::TempDir folder;
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    fs::path game = EnsureDemoInstallation(folder.path() / "demo");
    Registry registry{{std::nullopt, folder.path() / "config"}};
    test::ScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
    std::optional<InstallationLock> first = InstallationLock::TryTake(game, "the first Corvane 3D");
};

TEST_F(SecondEditorTest, NoQuits) {
    ASSERT_TRUE(first);
    dialogs.answer(mrNo);
    EXPECT_FALSE(window->FormCreate());
    EXPECT_TRUE(askedAboutTheFirst());
}

// Read-only: the Save button stays off after an edit, a save the editor runs
// itself (another neighbourhood, exit) refuses, nothing of the game changes,
// and the leftovers are left to the editor that holds the installation.
TEST_F(SecondEditorTest, ReadOnlySavesNothingAndLeavesTheGameAsItWas) {
    ASSERT_TRUE(first);
    const fs::path staged = game / ".UserData3.partial-AbC123";
    fs::create_directories(staged);
    std::ofstream(staged / ".Corvane3D staging") << "incomplete\n";
    const auto before = ReadFileBytes(game / "UserData/neighborhood.iff");

    dialogs.answer(mrYes);
    ASSERT_TRUE(window->FormCreate());
    EXPECT_TRUE(askedAboutTheFirst());
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromStdString(" " + LangStr(7308))));
    EXPECT_TRUE(fs::exists(staged)) << "not cleaned up by a read-only editor";

    window->pageButton("btnSkillsPersonality")->click();
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
    ASSERT_TRUE(window->document().saveEnabled()) << "the edit itself is made";
    EXPECT_FALSE(window->btnSave->isEnabled());
    dialogs.forgetShown();
    dialogs.answer(mrOk);
    EXPECT_TRUE(window->SaveModifiedCharacters()) << "the editor may still go on or close";
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7307)});
    EXPECT_EQ(ReadFileBytes(game / "UserData/neighborhood.iff"), before);
}

// Without another holder the editor opens as always and asks nothing.
TEST_F(SecondEditorTest, TheFirstEditorHoldsTheLock) {
    first.reset();
    ASSERT_TRUE(window->FormCreate());
    EXPECT_TRUE(dialogs.messageTexts().empty());
    EXPECT_FALSE(GameIsReadOnly());
    EXPECT_FALSE(InstallationLock::TryTake(game, "a second one"));
}

}  // namespace
}  // namespace corvane
