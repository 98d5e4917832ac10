#pragma once

#include "TestPaths.h"
#include "app/Settings.h"
#include "app/ui/TfrmMain.h"
#include "demo/DemoInstallation.h"
#include "platform/LanguageModule.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/ui/QtTestApplication.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace corvane::test {

// The editor started on the demo installation at level 7: the Marlows
// Victor (User00001), Elena (2), the children Tess (3) and Jonah (4), the dog
// Biscuit (6) and the cat Pepper (7), and their neighbour Iris Vale (5).
class DemoEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        QtTestApplication();
        AppSettings() = Settings();
        registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_DATA", game.string());
        registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_LANGUAGE", "USEnglish");
        window = std::make_unique<TfrmMain>(MainWindowServices{editorDialogs(), registry, editorSwitches(),
                                                               CORVANE_LANG_DIR, [] { return std::string(); }});
        ASSERT_TRUE(window->FormCreate());
    }
    void TearDown() override {
        window.reset();
        SetLanguageModule(LanguageModule());
        AppSettings() = Settings();
    }

    // What the editor is started with: the scripted dialogs and no switches, unless a test says otherwise.
    virtual Dialogs& editorDialogs() { return dialogs; }
    virtual CommandLineSwitches editorSwitches() const { return {}; }

    // Selects the character of a file in the header's list, as a click would.
    Sim& select(const std::string& fileName) {
        for (int i = 0; i < window->cbUserName->count(); ++i) {
            if (window->cbUserName->itemText(i).endsWith(QString::fromStdString(fileName))) {
                window->cbUserName->setCurrentIndex(i);
                emit window->cbUserName->activated(i);
            }
        }
        EXPECT_EQ(window->document().current()->FileName, fileName);
        return *window->document().current();
    }
    // Selects the character and opens a page with its button.
    Sim& open(const std::string& fileName, const char* pageButton) {
        Sim& sim = select(fileName);
        window->pageButton(pageButton)->click();
        return sim;
    }
    Sim* byId(std::int32_t id) const {
        for (Sim* sim : window->characters().sims()) {
            if (sim->NeighborID == id) return sim;
        }
        return nullptr;
    }

    TempDir folder;
    EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    std::filesystem::path game = EnsureDemoInstallation(folder.path() / "demo");
    Registry registry{{std::nullopt, folder.path() / "config"}};
    ScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
};

}  // namespace corvane::test
