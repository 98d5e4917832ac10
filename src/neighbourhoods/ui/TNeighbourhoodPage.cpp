#include "neighbourhoods/ui/TNeighbourhoodPage.h"

#include "app/Settings.h"
#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "neighbourhoods/NeighbourhoodCopies.h"
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "neighbourhoods/ui/TreeHelpers.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>


namespace corvane {

namespace fs = std::filesystem;

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string quoted(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

bool sameName(const std::string& a, const std::string& b) {
    return qt(a).compare(qt(b), Qt::CaseInsensitive) == 0;
}

bool folderExists(const fs::path& path) {
    std::error_code unreadable;
    return fs::is_directory(path, unreadable);
}

}  // namespace

TNeighbourhoodPage::TNeighbourhoodPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpNeighborhood"));
    chooseName_ = RenameCopyDialogChooser(window(), settings());
}

void TNeighbourhoodPage::createControls(QGroupBox* box) {
    lblNGBDDesc1 = new QLabel(box);
    lblNGBDDesc1->setObjectName("lblNGBDDesc1");
    lblNGBDDesc1->setGeometry(8, 14, 375, 20);
    auto makeTree = [&](const char* name, int left) {
        auto* tree = new QTreeWidget(box);
        tree->setObjectName(name);
        tree->setGeometry(left, 36, 183, 200);
        tree->setHeaderHidden(true);
        tree->setColumnCount(1);
        tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(tree, &QTreeWidget::currentItemChanged, tree,
                [](QTreeWidgetItem* current, QTreeWidgetItem* previous) { ShowSelectedNodeImage(previous, current); });
        return tree;
    };
    tvNGBD = makeTree("tvNGBD", 8);
    tvNGBDBackup = makeTree("tvNGBDBackup", 200);
    // Moving through a tree with the keys shows the folder's description as a click does.
    for (const auto& [tree, other] : {std::pair{tvNGBD, tvNGBDBackup}, std::pair{tvNGBDBackup, tvNGBD}}) {
        connect(tree, &QTreeWidget::currentItemChanged, this, [this, tree = tree, other = other] {
            if (tree->hasFocus()) clicked(tree, other);
        });
    }
    connect(tvNGBD, &QTreeWidget::itemClicked, this, &TNeighbourhoodPage::tvNGBDClick);
    connect(tvNGBDBackup, &QTreeWidget::itemClicked, this, &TNeighbourhoodPage::tvNGBDBackupClick);

    popTreeviewNGBD = createMenu(tvNGBD, "popTreeviewNGBD");
    mNGBDBackup = createItem(popTreeviewNGBD, "mNGBDBackup", "Backup", &TNeighbourhoodPage::mNGBDBackupClick);
    mNGBDRename = createItem(popTreeviewNGBD, "mNGBDRename", "Rename", &TNeighbourhoodPage::mNGBDRenameClick);
    mNGBDCopy = createItem(popTreeviewNGBD, "mNGBDCopy", "Copy", &TNeighbourhoodPage::mNGBDCopyClick);
    mNGBDDelete = createItem(popTreeviewNGBD, "mNGBDDelete", "Delete", &TNeighbourhoodPage::mNGBDDeleteClick);
    mNGBDShowPath = createItem(popTreeviewNGBD, "mNGBDShowPath", "Show Path", &TNeighbourhoodPage::mNGBDShowPathClick);
    popTreeviewNGBDBackup = createMenu(tvNGBDBackup, "popTreeviewNGBDBackup");
    mNGBDBURestore =
        createItem(popTreeviewNGBDBackup, "mNGBDBURestore", "Restore", &TNeighbourhoodPage::mNGBDBURestoreClick);
    mNGBDBURename =
        createItem(popTreeviewNGBDBackup, "mNGBDBURename", "Rename", &TNeighbourhoodPage::mNGBDBURenameClick);
    mNGBDBUCopy = createItem(popTreeviewNGBDBackup, "mNGBDBUCopy", "Copy", &TNeighbourhoodPage::mNGBDBUCopyClick);
    mNGBDBUDelete =
        createItem(popTreeviewNGBDBackup, "mNGBDBUDelete", "Delete", &TNeighbourhoodPage::mNGBDBUDeleteClick);
    mNGBDBUShowPath =
        createItem(popTreeviewNGBDBackup, "mNGBDBUShowPath", "Show Path", &TNeighbourhoodPage::mNGBDBUShowPathClick);
    // The menu key and Delete work in the tree that has the focus.
    tvNGBD->installEventFilter(this);
    tvNGBDBackup->installEventFilter(this);

    lblNGBDDesc2 = new QLabel(box);
    lblNGBDDesc2->setObjectName("lblNGBDDesc2");
    lblNGBDDesc2->setGeometry(8, 240, 375, 18);
    memNGBD = new QPlainTextEdit(box);
    memNGBD->setObjectName("memNGBD");
    memNGBD->setGeometry(8, 262, 375, 118);
    memNGBD->setPlainText("Use this section to store a description with the selected \nneighborhood.");
    btnSaveNGBDDescription = new QPushButton("Save Description", box);
    btnSaveNGBDDescription->setObjectName("btnSaveNGBDDescription");
    btnSaveNGBDDescription->setGeometry(233, 386, 150, 26);
    connect(btnSaveNGBDDescription, &QPushButton::clicked, this, &TNeighbourhoodPage::btnSaveNGBDDescriptionClick);
}

QMenu* TNeighbourhoodPage::createMenu(QTreeWidget* tree, const char* name) {
    auto* menu = new QMenu(tree);
    menu->setObjectName(name);
    // A right click first selects the node under the mouse, as a click would.
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, menu, [this, tree](const QPoint& position) {
        if (QTreeWidgetItem* node = tree->itemAt(position)) {
            tree->setCurrentItem(node);
            clicked(tree, tree == tvNGBD ? tvNGBDBackup : tvNGBD);
        }
        openMenu(tree, position);
    });
    return menu;
}

void TNeighbourhoodPage::openMenu(QTreeWidget* tree, const QPoint& position) {
    QMenu* menu = tree == tvNGBD ? popTreeviewNGBD : popTreeviewNGBDBackup;
    menu->popup(tree->viewport()->mapToGlobal(position));
}

bool TNeighbourhoodPage::eventFilter(QObject* watched, QEvent* event) {
    auto* tree = qobject_cast<QTreeWidget*>(watched);
    if (event->type() != QEvent::KeyPress || (tree != tvNGBD && tree != tvNGBDBackup)) {
        return EditorPage::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Menu) {
        const QTreeWidgetItem* node = tree->currentItem();
        openMenu(tree, node != nullptr ? tree->visualItemRect(node).center() : QPoint(0, 0));
        return true;
    }
    if (key == Qt::Key_Delete) {
        (tree == tvNGBD ? mNGBDDelete : mNGBDBUDelete)->trigger();
        return true;
    }
    return EditorPage::eventFilter(watched, event);
}

QAction* TNeighbourhoodPage::createItem(QMenu* menu, const char* name, const char* text,
                                        void (TNeighbourhoodPage::*handler)()) {
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TNeighbourhoodPage::showPage() {
    rebuildGameTree();
    rebuildBackupTree();
    selectFolder(tvNGBD, openFolder());
    showDescriptionOf(tvNGBD);
}

void TNeighbourhoodPage::rebuildGameTree() {
    tvNGBD->clear();
    TreeAddRoot(*tvNGBD, qt(LangStr(6090)));
    // The names come sorted as the game's file system sees them: ignoring letter case.
    for (const std::string& name : NeighbourhoodFolderNames(settings().GamePath)) TreeAddGroup(*tvNGBD, qt(name));
    tvNGBD->setCurrentItem(tvNGBD->topLevelItem(0));
}

void TNeighbourhoodPage::rebuildBackupTree() {
    tvNGBDBackup->clear();
    TreeAddRoot(*tvNGBDBackup, qt(LangStr(6091)));
    for (const std::string& name : NeighbourhoodFolderNames(BackupsFolder())) TreeAddGroup(*tvNGBDBackup, qt(name));
    tvNGBDBackup->setCurrentItem(tvNGBDBackup->topLevelItem(0));
}

void TNeighbourhoodPage::selectFolder(QTreeWidget* tree, const std::string& name) {
    QTreeWidgetItem* root = tree->topLevelItem(0);
    for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
        if (sameName(root->child(i)->text(0).toStdString(), name)) {
            tree->setCurrentItem(root->child(i));
            return;
        }
    }
}

std::optional<std::string> TNeighbourhoodPage::selectedFolder(QTreeWidget* tree) {
    const QTreeWidgetItem* node = tree->currentItem();
    if (node == nullptr || node->parent() == nullptr) {
        tell(LangStr(7098));
        return std::nullopt;
    }
    return node->text(0).toStdString();
}

fs::path TNeighbourhoodPage::folderOf(QTreeWidget* tree, const std::string& name) const {
    return (tree == tvNGBD ? settings().GamePath : BackupsFolder()) / name;
}

void TNeighbourhoodPage::showDescriptionOf(QTreeWidget* tree) {
    tree->setFocus();
    const QTreeWidgetItem* node = tree->currentItem();
    std::optional<std::string> description;
    describedFolder_.reset();
    if (node != nullptr && node->parent() != nullptr) {
        describedFolder_ = folderOf(tree, node->text(0).toStdString());
        // A description that could not be read is never saved over.
        if (!ReportFailure(dialogs(), [&] { description = ReadNeighbourhoodDescription(*describedFolder_); })) {
            describedFolder_.reset();
        }
    }
    // The file keeps Windows line ends; the memo has its own.
    memNGBD->setPlainText(description ? GameText(*description).replace("\r\n", "\n") : qt(LangStr(6125)));
}

void TNeighbourhoodPage::clicked(QTreeWidget* tree, QTreeWidget* other) {
    if (!group("grpNeighborhood")->isEnabled()) return;
    other->setCurrentItem(other->topLevelItem(0));
    showDescriptionOf(tree);
}

void TNeighbourhoodPage::tvNGBDClick() {
    clicked(tvNGBD, tvNGBDBackup);
}

void TNeighbourhoodPage::tvNGBDBackupClick() {
    clicked(tvNGBDBackup, tvNGBD);
}

void TNeighbourhoodPage::btnSaveNGBDDescriptionClick() {
    if (!describedFolder_) return;
    const std::string text = GameBytes(memNGBD->toPlainText().replace("\n", "\r\n"));
    ReportFailure(dialogs(), [&] { SaveNeighbourhoodDescription(*describedFolder_, text); });
}

void TNeighbourhoodPage::tell(const std::string& text) {
    StyledMessageDlg(dialogs(), LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

bool TNeighbourhoodPage::ask(const std::string& text) {
    return StyledMessageDlg(dialogs(), LangStr(5022), text, MsgKind::None, 0, mrOk, mbOKCancel) == mrOk;
}

void TNeighbourhoodPage::tellKeptFolder(const NeighbourhoodCopyResult& result) {
    if (!result.replacedKept.empty()) tell(result.replacedKept);
}

bool TNeighbourhoodPage::runOperation(const std::function<void()>& operation) {
    bool done = false;
    ReportFailure(dialogs(), [&] {
        try {
            operation();
            done = true;
        } catch (const NeighbourhoodCopyError& failure) {
            tell(failure.what());
        } catch (const NeighbourhoodRuleError& refusal) {
            tell(refusal.what());
        } catch (const ShellOperationError& failure) {
            tell(LangStr(7044) + "\n" + failure.what());
        }
    });
    return done;
}

std::string TNeighbourhoodPage::openFolder() const {
    fs::path open = settings().NeighborhoodPath;
    if (!open.has_filename()) open = open.parent_path();
    return open.filename().string();
}

bool TNeighbourhoodPage::isOpen(const std::string& name) const {
    return !settings().NeighborhoodPath.empty() && sameName(openFolder(), name);
}

bool TNeighbourhoodPage::saveBeforeChanging(const std::string& name) {
    return !isOpen(name) || host().SaveModifiedCharacters();
}

void TNeighbourhoodPage::reopenNeighbourhood() {
    // What the editor held of the old folder is gone with it: nothing of it is saved.
    document().close();
    host().OpenSelectedNeighbourhood();
}

std::optional<std::string> TNeighbourhoodPage::chooseName(const std::string& caption, const fs::path& folder,
                                                          bool offerMain) {
    return chooseName_(NameChoice{caption, LangStr(6127), FreeNeighbourhoodNames(folder, offerMain)});
}

void TNeighbourhoodPage::mNGBDBackupClick() {
    const auto name = selectedFolder(tvNGBD);
    if (!name) return;
    // The older backup as it is spelt on disk: that is the folder replaced.
    const fs::path target = ResolveCaseInsensitive(BackupsFolder(), *name);
    if (folderExists(target) && !ask(LangStr(7099) + "\n" + quoted(target) + ".\n" + LangStr(7100) + "\n")) return;
    NeighbourhoodCopyResult result;
    {
        const PageLock locked(host());
        runOperation([&] {
            const auto progress = host().ShowBusy(*name);
            result = BackUpNeighbourhood(folderOf(tvNGBD, *name), BackupsFolder(), *progress);
        });
        rebuildBackupTree();
    }
    showDescriptionOf(tvNGBD);
    tellKeptFolder(result);
}

void TNeighbourhoodPage::mNGBDBURestoreClick() {
    const auto name = selectedFolder(tvNGBDBackup);
    if (!name) return;
    const fs::path target = ResolveCaseInsensitive(settings().GamePath, *name);
    const bool existed = folderExists(target);
    if (existed && !ask(quoted(target) + " " + LangStr(7101) + "\n" + LangStr(7100) + "\n")) return;
    // Changes to a neighbourhood whose folder is gone cannot be saved; it is read anew all the same.
    const bool open = isOpen(*name);
    if (open && existed && !saveBeforeChanging(*name)) return;
    bool restored = false;
    NeighbourhoodCopyResult result;
    {
        const PageLock locked(host());
        restored = runOperation([&] {
            const auto progress = host().ShowBusy(*name);
            result = RestoreNeighbourhood(folderOf(tvNGBDBackup, *name), target, *progress);
        });
        rebuildGameTree();
    }
    showDescriptionOf(tvNGBDBackup);
    tellKeptFolder(result);
    if (!restored) return;
    // A new neighbourhood joins the header's list, the open one stays selected.
    if (!existed) host().RelistNeighbourhoods(openFolder());
    if (open) reopenNeighbourhood();
}

void TNeighbourhoodPage::deleteIn(QTreeWidget* tree) {
    const bool game = tree == tvNGBD;
    const auto name = selectedFolder(tree);
    if (!name) return;
    if (game && !MayDeleteNeighbourhood(*name)) {
        tell(LangStr(kMainNeighbourhoodNotDeletable));
        return;
    }
    const fs::path folder = folderOf(tree, *name);
    if (folderExists(folder) && !ask(LangStr(7102) + " " + quoted(folder) + " " + LangStr(7103) + "\n")) return;
    const std::string wasOpen = openFolder();
    if (game && !saveBeforeChanging(*name)) return;
    {
        const PageLock locked(host());
        runOperation([&] {
            // The Trash may have to copy the folder to another file system.
            const auto progress = host().ShowBusy(*name);
            DeleteNeighbourhood(folder, game ? NeighbourhoodPlace::Game : NeighbourhoodPlace::Backups);
        });
        game ? rebuildGameTree() : rebuildBackupTree();
    }
    showDescriptionOf(tree);
    if (!game) return;
    host().RelistNeighbourhoods(wasOpen);
    selectFolder(tvNGBD, openFolder());
    if (!folderExists(ResolveCaseInsensitive(settings().GamePath, wasOpen))) reopenNeighbourhood();
}

void TNeighbourhoodPage::mNGBDDeleteClick() {
    deleteIn(tvNGBD);
}

void TNeighbourhoodPage::mNGBDBUDeleteClick() {
    deleteIn(tvNGBDBackup);
}

void TNeighbourhoodPage::renameIn(QTreeWidget* tree) {
    const bool game = tree == tvNGBD;
    const auto name = selectedFolder(tree);
    if (!name) return;
    const int level = settings().ExpansionLevel;
    if (game && !MayRenameNeighbourhood(*name, level)) {
        tell(LangStr(kMainNeighbourhoodNotRenamable));
        return;
    }
    const fs::path parent = game ? settings().GamePath : BackupsFolder();
    const auto chosen = chooseName(LangStr(6126), parent, game && level == 0);
    if (!chosen) return;
    const fs::path old = parent / *name;
    if (folderExists(old) &&
        !ask(LangStr(7102) + " " + quoted(old) + " " + LangStr(7105) + "\n" + quoted(parent / *chosen) + "\n")) {
        return;
    }
    const bool open = game && isOpen(*name);
    if (open && !saveBeforeChanging(*name)) return;
    bool renamed = false;
    {
        const PageLock locked(host());
        renamed = runOperation([&] {
            RenameNeighbourhood(old, *chosen, game ? NeighbourhoodPlace::Game : NeighbourhoodPlace::Backups, level);
        });
        game ? rebuildGameTree() : rebuildBackupTree();
        selectFolder(tree, renamed ? *chosen : *name);
    }
    showDescriptionOf(tree);
    // The open neighbourhood keeps its records under its new name: nothing is reloaded.
    if (game) host().RelistNeighbourhoods(open && renamed ? *chosen : openFolder());
}

void TNeighbourhoodPage::mNGBDRenameClick() {
    renameIn(tvNGBD);
}

void TNeighbourhoodPage::mNGBDBURenameClick() {
    renameIn(tvNGBDBackup);
}

void TNeighbourhoodPage::mNGBDCopyClick() {
    const auto name = selectedFolder(tvNGBD);
    if (!name) return;
    const auto chosen = chooseName(LangStr(6127), settings().GamePath, false);
    if (!chosen) return;
    const fs::path source = folderOf(tvNGBD, *name);
    if (!folderExists(source)) return;
    bool copied = false;
    {
        const PageLock locked(host());
        copied = runOperation([&] {
            const auto progress = host().ShowBusy(*chosen);
            CopyNeighbourhood(source, settings().GamePath / *chosen, *progress);
        });
        rebuildGameTree();
        selectFolder(tvNGBD, *chosen);
    }
    showDescriptionOf(tvNGBD);
    if (copied) host().RelistNeighbourhoods(openFolder());
}

void TNeighbourhoodPage::mNGBDBUCopyClick() {
    const auto name = selectedFolder(tvNGBDBackup);
    if (!name) return;
    const auto chosen = chooseName(LangStr(6127), BackupsFolder(), false);
    if (!chosen) return;
    {
        const PageLock locked(host());
        runOperation([&] {
            const auto progress = host().ShowBusy(*chosen);
            CopyBackup(folderOf(tvNGBDBackup, *name), BackupsFolder() / *chosen, *progress);
        });
        rebuildBackupTree();
        selectFolder(tvNGBDBackup, *chosen);
    }
    showDescriptionOf(tvNGBDBackup);
}

void TNeighbourhoodPage::showPathOf(QTreeWidget* tree) {
    const QTreeWidgetItem* node = tree->currentItem();
    if (node == nullptr) {
        tell(LangStr(7098));
        return;
    }
    const fs::path root = tree == tvNGBD ? settings().GamePath : BackupsFolder();
    tell((node->parent() == nullptr ? root : root / node->text(0).toStdString()).string());
}

void TNeighbourhoodPage::mNGBDShowPathClick() {
    showPathOf(tvNGBD);
}

void TNeighbourhoodPage::mNGBDBUShowPathClick() {
    showPathOf(tvNGBDBackup);
}

}  // namespace corvane
