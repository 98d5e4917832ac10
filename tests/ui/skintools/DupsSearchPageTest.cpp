// The duplicate search page on the demo game with copies added: the trees,
// the information texts, storing and restoring by double click and by drag,
// failures, and a search stopped by the busy window's Cancel.

#include "BusyCancelPress.h"
#include "app/ui/GameText.h"
#include "neighbourhoods/ui/TreeHelpers.h"
#include "platform/AtomicFile.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/DuplicateStore.h"
#include "skintools/ui/TDupsSearchPage.h"
#include "skintools/ui/TDupsTree.h"
#include "support/ui/DemoEditorTest.h"

#include <QDropEvent>
#include <QGroupBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>
#include <tuple>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class DupsSearchPageTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
        page = dynamic_cast<TDupsSearchPage*>(window->page(PageKind::DupsSearch));
        ASSERT_NE(page, nullptr);
        const std::vector<std::string> folders = SkinFolders(game, 7).SearchFolders();
        for (std::size_t i = 0; i < 3; ++i) skinFolder[i] = slashes(folders.at(i));
    }

    static std::string slashes(std::string text) {
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    }
    fs::path writeGameFile(const std::string& relative, const std::string& text) {
        fs::create_directories((game / relative).parent_path());
        ReplaceFileAtomically(game / relative, text);
        return game / relative;
    }
    fs::path writeStored(const std::string& relative, const std::string& text) {
        fs::create_directories((StoredSkinsFolder() / relative).parent_path());
        ReplaceFileAtomically(StoredSkinsFolder() / relative, text);
        return StoredSkinsFolder() / relative;
    }
    // Three copies of dupe.bmp (A, B, C in search order) and two of twin.bmp.
    void writeCopies() {
        for (int i = 0; i < 3; ++i) writeGameFile(skinFolder[i] + "dupe.bmp", "dupe " + std::to_string(i));
        for (int i = 0; i < 2; ++i) writeGameFile(skinFolder[i] + "twin.bmp", "twin " + std::to_string(i));
    }
    void search() { window->pageButton("btnDupsSearch")->click(); }

    // The file nodes as "folder|file", in the order the tree shows them.
    static std::vector<std::string> files(const QTreeWidget& tree) {
        std::vector<std::string> found;
        const QTreeWidgetItem* root = tree.topLevelItem(0);
        for (int g = 0; root != nullptr && g < root->childCount(); ++g) {
            const QTreeWidgetItem* group = root->child(g);
            for (int f = 0; f < group->childCount(); ++f) {
                found.push_back(group->text(0).toStdString() + "|" + group->child(f)->text(0).toStdString());
            }
        }
        return found;
    }
    static QTreeWidgetItem* fileNode(const QTreeWidget& tree, const std::string& groupText, const std::string& name) {
        const QTreeWidgetItem* root = tree.topLevelItem(0);
        for (int g = 0; root != nullptr && g < root->childCount(); ++g) {
            QTreeWidgetItem* group = root->child(g);
            if (group->text(0).toStdString() != groupText) continue;
            for (int f = 0; f < group->childCount(); ++f) {
                if (group->child(f)->text(0).toStdString() == name) return group->child(f);
            }
        }
        return nullptr;
    }
    // A click as the user makes it, on the node's place in the tree.
    static void click(QTreeWidget& tree, QTreeWidgetItem* node) {
        ASSERT_NE(node, nullptr);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
    }
    static void doubleClick(QTreeWidget& tree, QTreeWidgetItem* node) {
        ASSERT_NE(node, nullptr);
        const QPoint at = tree.visualItemRect(node).center();
        // The second press of a double click is the one the view sees as a double click.
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
    }
    // The drag of `node` from `from`, dropped on `to` as the view receives it.
    static void drag(TDupsTree& from, QTreeWidgetItem* node, TDupsTree& to) {
        ASSERT_NE(node, nullptr);
        from.setCurrentItem(node);
        std::unique_ptr<QMimeData> carried(from.mimeData({node}));
        ASSERT_NE(carried, nullptr);
        const QPoint at = to.viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(to.viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDragMoveEvent move(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(to.viewport(), &move);
        QDropEvent drop(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(to.viewport(), &drop);
        EXPECT_TRUE(drop.isAccepted());
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction) << "the view must not remove the dragged node itself";
    }
    std::string info() const { return page->memDupInfo->toPlainText().toStdString(); }

    test::EnvOverride dataHome{"XDG_DATA_HOME", (folder.path() / "data").string()};
    TDupsSearchPage* page = nullptr;
    std::string skinFolder[3];
};

TEST_F(DupsSearchPageTest, CopiesAreListedByFolderWithTheirDescriptionsAndPictures) {
    writeCopies();
    search();
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messageTexts().front();
    const auto [a, b, c] = std::tuple(skinFolder[0], skinFolder[1], skinFolder[2]);
    // Three copies: C as the match of A and of B, B as the match of C; two copies: one record each.
    EXPECT_EQ(files(*page->tvDups),
              (std::vector<std::string>{c + "|dupe.bmp", c + "|dupe.bmp", b + "|twin.bmp", b + "|dupe.bmp",
                                        a + "|twin.bmp"}));
    const QTreeWidgetItem* root = page->tvDups->topLevelItem(0);
    EXPECT_EQ(root->text(0).toStdString(), game.string());
    EXPECT_EQ(page->tvDups->currentItem(), root);
    EXPECT_EQ(page->tvStored->topLevelItem(0)->text(0).toStdString(), StoredSkinsFolder().string());
    EXPECT_EQ(page->tvStored->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(root->data(0, kTreeImageRole).toInt(), 0);
    EXPECT_EQ(root->child(0)->data(0, kTreeImageRole).toInt(), 1);
    EXPECT_EQ(root->child(0)->data(0, kTreeSelectedImageRole).toInt(), 2);
    EXPECT_EQ(root->child(0)->child(0)->data(0, kTreeImageRole).toInt(), 3);

    click(*page->tvDups, fileNode(*page->tvDups, b, "dupe.bmp"));
    EXPECT_EQ(info(), (game / b / "dupe.bmp").string() + "\nis a copy of " + (game / c / "dupe.bmp").string());
    click(*page->tvDups, root->child(0));
    EXPECT_EQ(info(), FoundTreeHelp());
    click(*page->tvStored, page->tvStored->topLevelItem(0));
    EXPECT_EQ(info(), StoredTreeHelp());
}

TEST_F(DupsSearchPageTest, ATextureInsideAnArchiveNamesTheArchive) {
    ASSERT_TRUE(window->LoadSkinData());
    const auto& entries = GameSkinCatalogue().ArchiveTextureEntries;
    ASSERT_TRUE(entries && !entries->empty());
    const std::string name = entries->front().EntryName;
    writeGameFile(skinFolder[1] + name, "loose copy");
    search();
    ASSERT_EQ(files(*page->tvDups), std::vector<std::string>{skinFolder[1] + "|" + name});
    click(*page->tvDups, fileNode(*page->tvDups, skinFolder[1], name));
    EXPECT_EQ(info(), "The file " + (game / skinFolder[1] / name).string() + "\nalso exists inside the archive Textures.far");
    EXPECT_FALSE(GameSkinCatalogue().complete()) << "the search leaves the catalogue to be read anew";
}

TEST_F(DupsSearchPageTest, NoCopiesSaysSoAndLeavesTheRootsAlone) {
    dialogs.answer(mrOk);
    search();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7126)});
    EXPECT_EQ(dialogs.messages().at(0).caption, LangStr(5022));
    EXPECT_EQ(page->tvDups->topLevelItemCount(), 1);
    EXPECT_EQ(page->tvDups->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(page->tvStored->topLevelItemCount(), 1);
}

TEST_F(DupsSearchPageTest, StoringRemovesEveryNodeOfTheNameAndRestoringBringsItBack) {
    writeCopies();
    search();
    const auto [a, b, c] = std::tuple(skinFolder[0], skinFolder[1], skinFolder[2]);
    click(*page->tvDups, fileNode(*page->tvDups, b, "dupe.bmp"));
    doubleClick(*page->tvDups, fileNode(*page->tvDups, b, "dupe.bmp"));

    EXPECT_EQ(files(*page->tvDups), (std::vector<std::string>{b + "|twin.bmp", a + "|twin.bmp"}))
        << "the findings of the other copies go too";
    EXPECT_EQ(files(*page->tvStored), std::vector<std::string>{b + "|dupe.bmp"});
    EXPECT_EQ(ReadTextFile(StoredSkinsFolder() / b / "dupe.bmp"), "dupe 1");
    EXPECT_FALSE(fs::exists(game / b / "dupe.bmp"));
    EXPECT_TRUE(fs::exists(game / c / "dupe.bmp"));
    EXPECT_EQ(info(), "");

    doubleClick(*page->tvStored, fileNode(*page->tvStored, b, "dupe.bmp"));
    EXPECT_EQ(ReadTextFile(game / b / "dupe.bmp"), "dupe 1");
    EXPECT_TRUE(files(*page->tvStored).empty());
    EXPECT_EQ(info(), RestoredInfo(false));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DupsSearchPageTest, RestoringCreatesFoldersAndAsksBeforeReplacingAGameFile) {
    writeStored("ExpansionPack9/Skins/lost.bmp", "stored lost");
    writeStored(skinFolder[0] + "back.bmp", "stored back");
    writeGameFile(skinFolder[0] + "back.bmp", "in the game");
    dialogs.answer(mrOk);  // no copies in the game
    search();
    dialogs.forgetShown();
    ASSERT_EQ(files(*page->tvStored),
              (std::vector<std::string>{"ExpansionPack9/Skins/|lost.bmp", skinFolder[0] + "|back.bmp"}));

    doubleClick(*page->tvStored, fileNode(*page->tvStored, "ExpansionPack9/Skins/", "lost.bmp"));
    EXPECT_EQ(ReadTextFile(game / "ExpansionPack9/Skins/lost.bmp"), "stored lost");
    EXPECT_TRUE(dialogs.messages().empty()) << "nothing to replace, nothing asked";

    dialogs.answer(mrNo);
    doubleClick(*page->tvStored, fileNode(*page->tvStored, skinFolder[0], "back.bmp"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].text.find(LangStr(kReplaceGameFileWithStored)), std::string::npos);
    EXPECT_EQ(ReadTextFile(game / skinFolder[0] / "back.bmp"), "in the game");
    EXPECT_EQ(files(*page->tvStored), std::vector<std::string>{skinFolder[0] + "|back.bmp"}) << "declined: kept";

    dialogs.answer(mrYes);
    doubleClick(*page->tvStored, fileNode(*page->tvStored, skinFolder[0], "back.bmp"));
    EXPECT_EQ(ReadTextFile(game / skinFolder[0] / "back.bmp"), "stored back");
    EXPECT_TRUE(files(*page->tvStored).empty());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(DupsSearchPageTest, AStoredNameInTheGamesCodePageIsRestored) {
    const std::string name = "caf\xE9.bmp";  // "café" in code page 1252: not UTF-8
    writeStored(skinFolder[0] + name, "stored");
    dialogs.answer(mrOk);  // no copies in the game
    search();
    dialogs.forgetShown();
    ASSERT_EQ(files(*page->tvStored), std::vector<std::string>{skinFolder[0] + "|caf\xC3\xA9.bmp"})
        << "shown as the game's text";

    doubleClick(*page->tvStored, fileNode(*page->tvStored, skinFolder[0], "caf\xC3\xA9.bmp"));
    EXPECT_EQ(ReadTextFile(game / skinFolder[0] / name), "stored");
    EXPECT_FALSE(fs::exists(StoredSkinsFolder() / skinFolder[0] / name));
    EXPECT_TRUE(files(*page->tvStored).empty());
    EXPECT_EQ(info(), RestoredInfo(false));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DupsSearchPageTest, AStoredFileGoneSinceTheSearchIsNotCalledRestored) {
    const fs::path stored = writeStored(skinFolder[0] + "gone.bmp", "stored");
    dialogs.answer(mrOk);
    search();
    fs::remove(stored);

    doubleClick(*page->tvStored, fileNode(*page->tvStored, skinFolder[0], "gone.bmp"));
    EXPECT_FALSE(fs::exists(game / skinFolder[0] / "gone.bmp"));
    EXPECT_TRUE(files(*page->tvStored).empty()) << "the node goes all the same";
    EXPECT_NE(info(), RestoredInfo(false));
    EXPECT_NE(info().find("gone.bmp\" is no longer in the store"), std::string::npos) << info();
}

TEST_F(DupsSearchPageTest, TheBusyWindowIsAsWideAsThePageLessFour) {
    writeCopies();
    const test::BusyWidthsSeen seen(QString::fromStdString(LangStr(7119)));
    search();
    ASSERT_FALSE(seen.widths().empty());
    const int pageWidth = window->findChild<QGroupBox*>("grpDupsSearch")->width();
    for (int width : seen.widths()) EXPECT_EQ(width, pageWidth - 4);
}

TEST_F(DupsSearchPageTest, FileNodesDragToTheOtherTreeOnly) {
    writeCopies();
    search();
    const auto [a, b, c] = std::tuple(skinFolder[0], skinFolder[1], skinFolder[2]);
    const QTreeWidgetItem* root = page->tvDups->topLevelItem(0);
    EXPECT_EQ(std::unique_ptr<QMimeData>(page->tvDups->mimeData({page->tvDups->topLevelItem(0)})), nullptr);
    EXPECT_EQ(std::unique_ptr<QMimeData>(page->tvDups->mimeData({root->child(0)})), nullptr) << "folders stay";

    drag(*page->tvDups, fileNode(*page->tvDups, a, "twin.bmp"), *page->tvDups);
    EXPECT_EQ(files(*page->tvDups).size(), 5u) << "a drop on its own tree does nothing";
    EXPECT_TRUE(fs::exists(game / a / "twin.bmp"));

    drag(*page->tvDups, fileNode(*page->tvDups, a, "twin.bmp"), *page->tvStored);
    EXPECT_EQ(files(*page->tvStored), std::vector<std::string>{a + "|twin.bmp"});
    EXPECT_EQ(files(*page->tvDups), (std::vector<std::string>{c + "|dupe.bmp", c + "|dupe.bmp", b + "|dupe.bmp"}));
    EXPECT_EQ(ReadTextFile(StoredSkinsFolder() / a / "twin.bmp"), "twin 0");

    drag(*page->tvStored, fileNode(*page->tvStored, a, "twin.bmp"), *page->tvStored);
    EXPECT_EQ(files(*page->tvStored).size(), 1u);
    drag(*page->tvStored, fileNode(*page->tvStored, a, "twin.bmp"), *page->tvDups);
    EXPECT_TRUE(files(*page->tvStored).empty());
    EXPECT_EQ(ReadTextFile(game / a / "twin.bmp"), "twin 0");
    EXPECT_EQ(info(), RestoredInfo(true));
}

TEST_F(DupsSearchPageTest, AFailedStoreSaysSoAndKeepsTheFindings) {
    writeCopies();
    search();
    const std::string a = skinFolder[0];
    // A file where the store's folder would go: the move cannot make it.
    writeStored("GameData", "in the way");
    dialogs.answer(mrOk);
    doubleClick(*page->tvDups, fileNode(*page->tvDups, a, "twin.bmp"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].kind, MsgKind::Error);
    EXPECT_TRUE(dialogs.messages()[0].text.starts_with(LangStr(kSkinMoveFailed))) << dialogs.messages()[0].text;
    EXPECT_EQ(files(*page->tvDups).size(), 5u);
    EXPECT_EQ(ReadTextFile(game / a / "twin.bmp"), "twin 0");
    EXPECT_EQ(files(*page->tvStored), std::vector<std::string>{a + "|twin.bmp"})
        << "the stored entry added before the move stays";
}

TEST_F(DupsSearchPageTest, CancelStopsTheSearchAndShowsWhatWasFound) {
    writeCopies();
    const std::vector<fs::path> characterFiles = SkinFolders(game, 7).ListSkinFilesFiltered("*.cmx");
    ASSERT_FALSE(characterFiles.empty());
    const std::string suit = characterFiles.front().filename().string();
    writeGameFile(skinFolder[2] + suit, "a copy");
    search();
    ASSERT_EQ(files(*page->tvDups).size(), 7u) << "uncancelled, the character file's copies are found too";

    dialogs.forgetShown();
    const test::BusyCancelPress press(QString::fromStdString(LangStr(7123)));
    page->btnReloadSkinData->click();
    EXPECT_TRUE(press.pressed());
    EXPECT_EQ(files(*page->tvDups).size(), 5u) << "the textures compared before the Cancel are shown";
    EXPECT_EQ(fileNode(*page->tvDups, skinFolder[2], suit), nullptr);
    EXPECT_TRUE(dialogs.messages().empty()) << "a stopped search does not say there is nothing";
    EXPECT_FALSE(window->pagesLocked());
}

}  // namespace
}  // namespace corvane
