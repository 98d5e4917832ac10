// The Neighbourhood page on the demo installation: UserData (open, with the
// Marlows), UserData2 and UserData3; backups go to the editor's folder and
// deletions to a Trash of the test's own.

#include "app/ui/TThinTrackbar.h"
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "neighbourhoods/ui/TNeighbourhoodPage.h"
#include "platform/FileBytes.h"
#include "support/FaultInjection.h"
#include "support/ui/DemoEditorTest.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class NeighbourhoodPageTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
        page = static_cast<TNeighbourhoodPage*>(window->page(PageKind::Neighbourhood));
        page->setNameChooser([this](const NameChoice& choice) -> std::optional<std::string> {
            choices.push_back(choice);
            if (names.empty()) return std::nullopt;
            std::string name = names.front();
            names.pop_front();
            return name;
        });
    }

    // Selects a folder's node as a click would; the root for an empty name.
    void click(QTreeWidget* tree, const std::string& name) {
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QTreeWidgetItem* node = root;
        for (int i = 0; i < root->childCount(); ++i) {
            if (root->child(i)->text(0).toStdString() == name) node = root->child(i);
        }
        ASSERT_TRUE(name.empty() || node != root) << name;
        tree->setCurrentItem(node);
        emit tree->itemClicked(node, 0);
    }
    static std::vector<std::string> folders(const QTreeWidget* tree) {
        std::vector<std::string> texts;
        const QTreeWidgetItem* root = tree->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) texts.push_back(root->child(i)->text(0).toStdString());
        return texts;
    }
    std::vector<std::string> listedFolders() const {
        std::vector<std::string> listed;
        for (int i = 0; i < window->cbNeighborhood->count(); ++i) {
            listed.push_back(window->cbNeighborhood->itemData(i).toString().toStdString());
        }
        return listed;
    }
    std::string selectedListFolder() const { return window->cbNeighborhood->currentData().toString().toStdString(); }
    int openings() const { return opened; }

    fs::path backups() const { return BackupsFolder(); }

    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
    TNeighbourhoodPage* page = nullptr;
    std::deque<std::string> names;
    std::vector<NameChoice> choices;
    int opened = 0;
    Document::Subscription watching;
};

TEST_F(NeighbourhoodPageTest, ShowsTheGameFoldersAndTheBackupsWithTheOpenNeighbourhoodSelected) {
    EXPECT_EQ(page->tvNGBD->topLevelItem(0)->text(0).toStdString(), LangStr(6090));
    EXPECT_EQ(page->tvNGBDBackup->topLevelItem(0)->text(0).toStdString(), LangStr(6091));
    EXPECT_EQ(folders(page->tvNGBD), (std::vector<std::string>{"UserData", "UserData2", "UserData3"}));
    EXPECT_TRUE(folders(page->tvNGBDBackup).empty());
    EXPECT_EQ(page->tvNGBD->currentItem()->text(0), "UserData");
    EXPECT_EQ(page->memNGBD->toPlainText().toStdString(), LangStr(6125));

    // Without a folder's node selected no operation runs.
    click(page->tvNGBD, "");
    dialogs.answer(mrOk);
    page->mNGBDBackup->trigger();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7098)});
    EXPECT_FALSE(fs::exists(backups()));
}

TEST_F(NeighbourhoodPageTest, BackingUpOverAnExistingBackupAsksAndReplacesItWhole) {
    writeText(game / "UserData3" / "Houses" / "House01.iff", "first");
    writeText(game / "UserData3" / "Characters" / "Extra" / "left.iff", "not carried");
    click(page->tvNGBD, "UserData3");
    page->mNGBDBackup->trigger();
    EXPECT_TRUE(dialogs.messages().empty()) << "a first backup asks nothing";
    EXPECT_EQ(folders(page->tvNGBDBackup), std::vector<std::string>{"UserData3"});
    EXPECT_EQ(ReadFileBytes(backups() / "UserData3" / "Houses" / "House01.iff").size(), 5u);
    EXPECT_FALSE(fs::exists(backups() / "UserData3" / "Characters" / "Extra"));

    writeText(backups() / "UserData3" / "stale.txt", "old");
    writeText(game / "UserData3" / "Houses" / "House01.iff", "second!");
    click(page->tvNGBD, "UserData3");
    dialogs.answer(mrCancel);
    page->mNGBDBackup->trigger();
    EXPECT_TRUE(fs::exists(backups() / "UserData3" / "stale.txt")) << "Cancel keeps the old backup";

    dialogs.forgetShown();
    dialogs.answer(mrOk);
    page->mNGBDBackup->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const std::string question = dialogs.messageTexts()[0];
    EXPECT_EQ(question, LangStr(7099) + "\n\"" + (backups() / "UserData3").string() + "\".\n" + LangStr(7100) + "\n");
    EXPECT_FALSE(fs::exists(backups() / "UserData3" / "stale.txt")) << "the old backup is replaced whole";
    EXPECT_EQ(ReadFileBytes(backups() / "UserData3" / "Houses" / "House01.iff").size(), 7u);
    EXPECT_EQ(page->tvNGBD->currentItem()->text(0), "UserData3");
}

TEST_F(NeighbourhoodPageTest, RestoringAMissingNeighbourhoodCreatesItAndListsIt) {
    fs::create_directories(backups());
    fs::copy(game / "UserData3", backups() / "UserData7", fs::copy_options::recursive);
    page->showPage();
    click(page->tvNGBDBackup, "UserData7");
    page->mNGBDBURestoreClick();
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(fs::exists(game / "UserData7" / "neighborhood.iff"));
    EXPECT_EQ(folders(page->tvNGBD), (std::vector<std::string>{"UserData", "UserData2", "UserData3", "UserData7"}));
    EXPECT_EQ(listedFolders(), (std::vector<std::string>{"UserData", "UserData2", "UserData3", "UserData7"}));
    EXPECT_EQ(window->cbNeighborhood->itemText(3), "07");
    EXPECT_EQ(selectedListFolder(), "UserData") << "the open neighbourhood stays selected";

    // Restoring over an existing one adds no entry.
    dialogs.answer(mrOk);
    click(page->tvNGBDBackup, "UserData7");
    page->mNGBDBURestoreClick();
    EXPECT_EQ(listedFolders().size(), 4u);
}

TEST_F(NeighbourhoodPageTest, RestoringTheOpenNeighbourhoodOffersTheSaveAndReloadsIt) {
    click(page->tvNGBD, "UserData");
    page->mNGBDBackupClick();
    Sim& victor = open("User00001", "btnSkillsPersonality");
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
    ASSERT_TRUE(victor.Modified);
    watching = window->document().subscribe([this](const DocumentChange& change) {
        opened += change.kind == DocumentChange::Kind::Opened && !window->document().characters().empty() ? 1 : 0;
    });
    window->pageButton("btnNeighborhood")->click();
    dialogs.forgetShown();
    dialogs.answer(mrOk).answer(mrNo);  // replace it; do not save the change
    click(page->tvNGBDBackup, "UserData");
    page->mNGBDBURestoreClick();

    EXPECT_TRUE(dialogs.allAnswersUsed());
    ASSERT_GE(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messageTexts()[0],
              "\"" + (game / "UserData").string() + "\" " + LangStr(7101) + "\n" + LangStr(7100) + "\n");
    EXPECT_EQ(openings(), 1) << "the restored neighbourhood is read anew";
    ASSERT_NE(byId(1), nullptr);
    EXPECT_FALSE(byId(1)->Modified);
    EXPECT_EQ(window->characters().sims().size(), 7u);
    EXPECT_EQ(selectedListFolder(), "UserData");
}

TEST_F(NeighbourhoodPageTest, TheMainNeighbourhoodIsNeverDeletedNorRenamedWithAnExpansionPack) {
    click(page->tvNGBD, "UserData");
    dialogs.answer(mrOk).answer(mrOk);
    page->mNGBDDeleteClick();
    page->mNGBDRenameClick();
    EXPECT_EQ(dialogs.messageTexts(), (std::vector<std::string>{LangStr(7104), LangStr(7106)}));
    EXPECT_TRUE(choices.empty()) << "no name is asked for";
    EXPECT_TRUE(fs::is_directory(game / "UserData"));
    EXPECT_EQ(folders(page->tvNGBD).front(), "UserData");
}

TEST_F(NeighbourhoodPageTest, TheNameDialogNeverOffersAnExistingName) {
    fs::create_directories(game / "userdata5");
    fs::create_directories(backups() / "UserData2");
    page->showPage();
    click(page->tvNGBD, "UserData2");
    page->mNGBDCopyClick();
    click(page->tvNGBDBackup, "UserData2");
    page->mNGBDBURenameClick();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].caption, LangStr(6127));
    EXPECT_EQ(choices[0].label, LangStr(6127));
    EXPECT_EQ(choices[1].caption, LangStr(6126));
    // Existing folders are matched ignoring letter case ("userdata5").
    const std::vector<std::string> gameFolders = NeighbourhoodFolderNames(game);
    const std::vector<std::string> backupFolders = NeighbourhoodFolderNames(backups());
    for (auto [choice, existing] : {std::pair{&choices[0], &gameFolders}, std::pair{&choices[1], &backupFolders}}) {
        for (const std::string& name : choice->names) {
            EXPECT_NE(name, "UserData");
            for (const std::string& taken : *existing) {
                EXPECT_NE(QString::fromStdString(name).compare(QString::fromStdString(taken), Qt::CaseInsensitive), 0)
                    << name;
            }
        }
    }
    EXPECT_EQ(choices[0].names.front(), "UserData4");
    EXPECT_EQ(choices[0].names.size(), 95u);
    EXPECT_EQ(choices[1].names.front(), "UserData3");
    EXPECT_EQ(choices[1].names.size(), 97u);

    for (int number = 2; number <= 99; ++number) fs::create_directories(game / ("UserData" + std::to_string(number)));
    page->showPage();
    click(page->tvNGBD, "UserData2");
    page->mNGBDCopyClick();
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_TRUE(choices[2].names.empty());
}

TEST_F(NeighbourhoodPageTest, ARenameKeepsTheRootTextAndListsTheNewName) {
    names = {"UserData9"};
    click(page->tvNGBD, "UserData3");
    dialogs.answer(mrOk);
    page->mNGBDRenameClick();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messageTexts()[0], LangStr(7102) + " \"" + (game / "UserData3").string() + "\" " + LangStr(7105) +
                                             "\n\"" + (game / "UserData9").string() + "\"\n");
    EXPECT_EQ(page->tvNGBD->topLevelItem(0)->text(0).toStdString(), LangStr(6090));
    EXPECT_EQ(folders(page->tvNGBD), (std::vector<std::string>{"UserData", "UserData2", "UserData9"}));
    EXPECT_EQ(page->tvNGBD->currentItem()->text(0), "UserData9");
    EXPECT_EQ(listedFolders(), (std::vector<std::string>{"UserData", "UserData2", "UserData9"}));
    EXPECT_EQ(selectedListFolder(), "UserData");

    names = {"UserData4"};
    click(page->tvNGBD, "UserData2");
    page->mNGBDCopyClick();
    EXPECT_EQ(page->tvNGBD->topLevelItem(0)->text(0).toStdString(), LangStr(6090));
    EXPECT_EQ(folders(page->tvNGBD), (std::vector<std::string>{"UserData", "UserData2", "UserData4", "UserData9"}));
    EXPECT_TRUE(fs::exists(game / "UserData4" / "neighborhood.iff"));
}

TEST_F(NeighbourhoodPageTest, DeletingTheOpenNeighbourhoodSendsItToTheTrashAndOpensTheFirst) {
    window->cbNeighborhood->setCurrentIndex(1);
    dialogs.answer(mrOk);  // it holds no characters
    window->cbNeighborhoodChange();
    ASSERT_EQ(selectedListFolder(), "UserData2");
    ASSERT_TRUE(window->characters().empty());
    click(page->tvNGBD, "UserData2");
    dialogs.forgetShown();
    dialogs.answer(mrOk);
    page->mNGBDDeleteClick();

    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7102) + " \"" + (game / "UserData2").string() +
                                                               "\" " + LangStr(7103) + "\n"});
    EXPECT_FALSE(fs::exists(game / "UserData2"));
    EXPECT_TRUE(fs::exists(folder.path() / "data" / "Trash" / "files" / "UserData2"));
    EXPECT_EQ(listedFolders(), (std::vector<std::string>{"UserData", "UserData3"}));
    EXPECT_EQ(selectedListFolder(), "UserData");
    EXPECT_EQ(AppSettings().NeighborhoodPath, game / "UserData");
    EXPECT_EQ(window->characters().sims().size(), 7u) << "the first neighbourhood is open";
}

TEST_F(NeighbourhoodPageTest, ADescriptionKeepsItsNonAsciiTextInTheGamesCodePage) {
    click(page->tvNGBD, "UserData2");
    EXPECT_EQ(page->memNGBD->toPlainText().toStdString(), LangStr(6125));
    page->memNGBD->setPlainText(QString::fromUtf8("Café Müller\nzweite Zeile"));
    page->btnSaveNGBDDescription->click();
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData2"),
              std::optional<std::string>("Caf\xE9 M\xFCller\r\nzweite Zeile"));

    click(page->tvNGBD, "UserData3");
    EXPECT_EQ(page->memNGBD->toPlainText().toStdString(), LangStr(6125));
    click(page->tvNGBD, "UserData2");
    EXPECT_EQ(page->memNGBD->toPlainText(), QString::fromUtf8("Café Müller\nzweite Zeile"));

    // A backup's description is its own.
    page->mNGBDBackupClick();
    click(page->tvNGBDBackup, "UserData2");
    EXPECT_EQ(page->tvNGBD->currentItem(), page->tvNGBD->topLevelItem(0)) << "the other tree goes to its root";
    page->memNGBD->setPlainText("backup");
    page->btnSaveNGBDDescription->click();
    EXPECT_EQ(ReadNeighbourhoodDescription(backups() / "UserData2"), std::optional<std::string>("backup"));
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData2"),
              std::optional<std::string>("Caf\xE9 M\xFCller\r\nzweite Zeile"));
}

// Moving with the arrow keys shows the next folder's description, and Save
// writes only to the folder whose description the memo shows.
TEST_F(NeighbourhoodPageTest, TheDescriptionFollowsTheKeysAndIsSavedWhereItWasRead) {
    writeText(game / "UserData2" / "Description.cv", "second");
    writeText(game / "UserData3" / "Description.cv", "third");
    click(page->tvNGBD, "UserData2");
    EXPECT_EQ(page->memNGBD->toPlainText().toStdString(), "second");
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    page->tvNGBD->setFocus();
    QTest::keyClick(page->tvNGBD, Qt::Key_Down);
    ASSERT_EQ(page->tvNGBD->currentItem()->text(0).toStdString(), "UserData3");
    EXPECT_EQ(page->memNGBD->toPlainText().toStdString(), "third");
    page->memNGBD->setPlainText("third, edited");
    page->btnSaveNGBDDescription->click();
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData3"), std::optional<std::string>("third, edited"));
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData2"), std::optional<std::string>("second"));
}

TEST_F(NeighbourhoodPageTest, ShowPathNamesTheRootsAndTheFolders) {
    dialogs.answer(mrOk).answer(mrOk).answer(mrOk);
    click(page->tvNGBD, "");
    page->mNGBDShowPathClick();
    click(page->tvNGBD, "UserData3");
    page->mNGBDShowPathClick();
    click(page->tvNGBDBackup, "");
    page->mNGBDBUShowPathClick();
    EXPECT_EQ(dialogs.messageTexts(),
              (std::vector<std::string>{game.string(), (game / "UserData3").string(), backups().string()}));
}

TEST_F(NeighbourhoodPageTest, TheMenuKeyOpensTheTreesMenuAndDeleteDeletes) {
    click(page->tvNGBDBackup, "");
    QTest::keyClick(page->tvNGBDBackup, Qt::Key_Menu);
    EXPECT_TRUE(page->popTreeviewNGBDBackup->isVisible());
    EXPECT_FALSE(page->popTreeviewNGBD->isVisible());
    page->popTreeviewNGBDBackup->hide();

    click(page->tvNGBD, "UserData");
    dialogs.answer(mrOk);
    QTest::keyClick(page->tvNGBD, Qt::Key_Delete);
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7104)});

    dialogs.forgetShown();
    dialogs.answer(mrOk);
    click(page->tvNGBD, "UserData3");
    QTest::keyClick(page->tvNGBD, Qt::Key_Delete);
    EXPECT_FALSE(fs::exists(game / "UserData3"));
    EXPECT_EQ(folders(page->tvNGBD), (std::vector<std::string>{"UserData", "UserData2"}));
}

TEST_F(NeighbourhoodPageTest, TheNameDialogSelectsTheFirstNameAndKeepsTheChosenOne) {
    TfrmRenameCopy dialog(NameChoice{LangStr(6126), LangStr(6127), {"UserData4", "UserData5"}}, AppSettings());
    EXPECT_EQ(dialog.windowTitle().toStdString(), LangStr(6126));
    EXPECT_EQ(dialog.lblRenameCopy->text().toStdString(), LangStr(6127));
    EXPECT_EQ(dialog.btnOK->text().toStdString(), LangStr(5010));
    EXPECT_EQ(dialog.btnCancel->text().toStdString(), LangStr(5011));
    EXPECT_EQ(dialog.cbRenameCopy->currentItem()->text(), "UserData4");
    dialog.cbRenameCopy->setCurrentRow(1);
    dialog.btnOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenName, "UserData5");

    TfrmRenameCopy empty(NameChoice{LangStr(6127), LangStr(6127), {}}, AppSettings());
    empty.btnCancel->click();
    EXPECT_EQ(empty.result(), QDialog::Rejected);
    EXPECT_TRUE(empty.ChosenName.isEmpty());
}

// A pipe cannot be copied: the operation fails halfway, whoever runs the test.
TEST_F(NeighbourhoodPageTest, AFailedCopyTellsItsCauseAndLeavesTheTargetAsItWas) {
    writeText(game / "UserData3" / "marker.txt", "before");
    click(page->tvNGBD, "UserData3");
    page->mNGBDBackupClick();
    writeText(backups() / "UserData3" / "marker.txt", "after");
    fs::create_directories(backups() / "UserData3" / "Web Pages");
    ASSERT_EQ(::mkfifo((backups() / "UserData3" / "Web Pages" / "pipe").c_str(), 0600), 0);

    dialogs.answer(mrOk).answer(mrOk);
    click(page->tvNGBDBackup, "UserData3");
    page->mNGBDBURestoreClick();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messageTexts()[1].rfind(LangStr(7021), 0), 0u) << dialogs.messageTexts()[1];
    EXPECT_GT(dialogs.messageTexts()[1].size(), LangStr(7021).size()) << "the cause follows";
    EXPECT_EQ(ReadFileBytes(game / "UserData3" / "marker.txt").size(), 6u) << "the neighbourhood is as it was";
    EXPECT_EQ(NeighbourhoodFolderNames(game), (std::vector<std::string>{"UserData", "UserData2", "UserData3"}));
    EXPECT_EQ(folders(page->tvNGBD), NeighbourhoodFolderNames(game));
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(NeighbourhoodPageTest, RenamingTheOpenNeighbourhoodFollowsItWithoutReadingItAgain) {
    window->cbNeighborhood->setCurrentIndex(2);
    dialogs.answer(mrOk);  // it holds no characters
    window->cbNeighborhoodChange();
    ASSERT_EQ(selectedListFolder(), "UserData3");
    watching = window->document().subscribe(
        [this](const DocumentChange& change) { opened += change.kind == DocumentChange::Kind::Opened ? 1 : 0; });
    names = {"UserData8"};
    click(page->tvNGBD, "UserData3");
    dialogs.answer(mrOk);
    page->mNGBDRenameClick();
    EXPECT_EQ(selectedListFolder(), "UserData8");
    EXPECT_EQ(window->cbNeighborhood->currentText(), "08");
    EXPECT_EQ(AppSettings().NeighborhoodPath, game / "UserData8");
    EXPECT_EQ(openings(), 0);
}

// A delete, rename or copy of a backup the system refuses says so with its
// cause and changes nothing; the trees show what is on disk.
TEST_F(NeighbourhoodPageTest, FailedDeletesRenamesAndBackupCopiesSayWhyAndChangeNothing) {
    auto expectRefused = [&](const char* what, std::size_t questions) {
        SCOPED_TRACE(what);
        ASSERT_EQ(dialogs.messages().size(), questions + 1);
        const std::string told = dialogs.messageTexts().back();
        EXPECT_EQ(told.rfind(LangStr(7044) + "\n", 0), 0u) << told;
        EXPECT_GT(told.size(), LangStr(7044).size() + 1) << "the cause follows";
        EXPECT_EQ(folders(page->tvNGBD), NeighbourhoodFolderNames(game));
        EXPECT_EQ(folders(page->tvNGBDBackup), NeighbourhoodFolderNames(backups()));
        dialogs.forgetShown();
    };
    click(page->tvNGBD, "UserData3");
    dialogs.answer(mrOk).answer(mrOk);
    {
        const test::RefusedRenames refused("/Trash/files/");
        page->mNGBDDeleteClick();
    }
    expectRefused("delete", 1);
    EXPECT_TRUE(fs::exists(game / "UserData3" / "neighborhood.iff"));

    names = {"UserData7"};
    click(page->tvNGBD, "UserData3");
    dialogs.answer(mrOk).answer(mrOk);
    {
        const test::RefusedRenames refused("UserData7");
        page->mNGBDRenameClick();
    }
    expectRefused("rename", 1);
    EXPECT_TRUE(fs::exists(game / "UserData3"));
    EXPECT_FALSE(fs::exists(game / "UserData7"));

    click(page->tvNGBD, "UserData3");
    page->mNGBDBackupClick();
    ASSERT_TRUE(dialogs.messages().empty());
    names = {"UserData6"};
    click(page->tvNGBDBackup, "UserData3");
    dialogs.answer(mrOk);
    {
        const test::RefusedRenames refused("UserData6");
        page->mNGBDBUCopyClick();
    }
    expectRefused("copy of a backup", 0);
    EXPECT_EQ(NeighbourhoodFolderNames(backups()), std::vector<std::string>{"UserData3"});
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

// Without an expansion pack the backup tree and "Backup" are hidden, UserData
// may be renamed, and its name is offered again once it is free.
class NeighbourhoodPageAtLevelZeroTest : public NeighbourhoodPageTest {
protected:
    void SetUp() override {
        std::vector<fs::path> packs;
        for (const auto& entry : fs::directory_iterator(game)) {
            if (entry.path().filename().string().rfind("ExpansionPack", 0) == 0) packs.push_back(entry.path());
        }
        for (const fs::path& pack : packs) fs::remove_all(pack);
        NeighbourhoodPageTest::SetUp();
    }
};

TEST_F(NeighbourhoodPageAtLevelZeroTest, HidesTheBackupsAndLetsUserDataBeRenamed) {
    ASSERT_EQ(AppSettings().ExpansionLevel, 0);
    EXPECT_TRUE(page->tvNGBDBackup->isHidden());
    EXPECT_FALSE(page->mNGBDBackup->isVisible());

    names = {"UserData5"};
    click(page->tvNGBD, "UserData");
    dialogs.answer(mrOk);
    page->mNGBDRenameClick();
    EXPECT_EQ(dialogs.messageTexts().size(), 1u) << "only the question: no 7106 at level 0";
    EXPECT_EQ(folders(page->tvNGBD), (std::vector<std::string>{"UserData2", "UserData3", "UserData5"}));
    EXPECT_EQ(selectedListFolder(), "UserData5") << "the open neighbourhood keeps its place";

    click(page->tvNGBD, "UserData2");
    page->mNGBDRenameClick();  // the dialog is cancelled
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].names.front(), "UserData4") << "UserData was taken";
    EXPECT_EQ(choices[1].names.front(), "UserData") << "UserData is free again";
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace corvane
