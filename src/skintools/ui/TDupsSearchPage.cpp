#include "skintools/ui/TDupsSearchPage.h"

#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "neighbourhoods/ui/TreeHelpers.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "skins/SkinCatalogue.h"
#include "skintools/DuplicateSearch.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/ui/SkinToolControls.h"
#include "skintools/ui/TDupsTree.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr MessageId kSearchingDuplicates{7118};
constexpr MessageId kBuildingTheList{7125};
constexpr MessageId kNoDuplicates{7126};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// A stored file node carries its folder and file name as the bytes on disk:
// the texts shown are converted from the game's code page and need not lead
// back to the file.
QVariant storedLeafData(const std::string& folder, const std::string& fileName) {
    return QVariantList{QByteArray::fromStdString(folder), QByteArray::fromStdString(fileName)};
}

void addStoredLeaf(QTreeWidget& tree, const std::string& folder, const std::string& fileName) {
    TreeAddLeaf(tree, GameText(fileName), storedLeafData(folder, fileName));
}

bool hasFileNode(const QTreeWidgetItem& folderNode, const QString& fileName) {
    for (int i = 0; i < folderNode.childCount(); ++i) {
        if (folderNode.child(i)->text(0).compare(fileName, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

bool storedTreeHas(const SkinTree& tree, const std::string& folder, const std::string& fileName) {
    for (const SkinTreeGroup& stored : tree.groups) {
        if (!EqualsIgnoreCase(stored.folder, folder)) continue;
        for (const SkinTreeLeaf& leaf : stored.leaves) {
            if (EqualsIgnoreCase(leaf.fileName, fileName)) return true;
        }
    }
    return false;
}

}  // namespace

TDupsSearchPage::TDupsSearchPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpDupsSearch"));
}

void TDupsSearchPage::createControls(QGroupBox* box) {
    auto makeTree = [&](const char* name, int left) {
        auto* tree = new TDupsTree(box);
        tree->setObjectName(name);
        tree->setGeometry(left, 16, 183, 300);
        connect(tree, &QTreeWidget::currentItemChanged, tree,
                [](QTreeWidgetItem* current, QTreeWidgetItem* previous) { ShowSelectedNodeImage(previous, current); });
        return tree;
    };
    tvDups = makeTree("tvDups", 8);
    tvStored = makeTree("tvStored", 200);
    connect(tvDups, &QTreeWidget::itemClicked, this, &TDupsSearchPage::tvDupsClick);
    connect(tvStored, &QTreeWidget::itemClicked, this, &TDupsSearchPage::tvStoredClick);
    connect(tvDups, &QTreeWidget::itemDoubleClicked, this, &TDupsSearchPage::tvDupsDblClick);
    connect(tvStored, &QTreeWidget::itemDoubleClicked, this, &TDupsSearchPage::tvStoredDblClick);
    connect(tvDups, &TDupsTree::fileDropped, this, &TDupsSearchPage::tvDupsDragDrop);
    connect(tvStored, &TDupsTree::fileDropped, this, &TDupsSearchPage::tvStoredDragDrop);

    memDupInfo = new QPlainTextEdit(box);
    memDupInfo->setObjectName("memDupInfo");
    memDupInfo->setGeometry(8, 322, 375, 128);
    memDupInfo->setReadOnly(true);
    btnReloadSkinData = new QPushButton("Reload Trees", box);
    btnReloadSkinData->setObjectName("btnReloadSkinData");
    btnReloadSkinData->setGeometry(233, 458, 150, 26);
    connect(btnReloadSkinData, &QPushButton::clicked, this, &TDupsSearchPage::btnDupsSearchClick);
}

void TDupsSearchPage::restPage() {
    clearTrees();
}

void TDupsSearchPage::clearTrees() {
    tvDups->clear();
    tvStored->clear();
    memDupInfo->clear();
    findings_.clear();
    trees_ = DuplicateTrees{};
}

DuplicatePlaces TDupsSearchPage::places() const {
    return {settings().GamePath, StoredSkinsFolder()};
}

void TDupsSearchPage::btnDupsSearchClick() {
    const PageLock locked(host());
    clearTrees();
    ReportFailure(dialogs(), [this] { search(); });
}

void TDupsSearchPage::search() {
    if (!LoadCatalogueForSearch(host(), dialogs())) return;
    DuplicateSearchResult result;
    {
        const auto busy = host().ShowBusy(LangStr(kSearchingDuplicates), BusyCancel::Offered);
        FitBusyToPage(*busy, *group("grpDupsSearch"));
        // The search discards the catalogue at its end: files may move between here and its next use.
        result = SearchDuplicates(SkinFolders(settings().GamePath, settings().ExpansionLevel), GameSkinCatalogue(),
                                  CancellableScan(*busy));
        showTrees(result.findings, *busy);
    }
    TellSkippedFiles(dialogs(), result.skipped);
    // A stopped search shows what it found; it cannot say that nothing is there.
    if (result.findings.empty() && !result.stopped) {
        StyledMessageDlg(dialogs(), LangStr(5022), LangStr(kNoDuplicates), MsgKind::None, 0, mrOk, mbOK);
    }
}

void TDupsSearchPage::showTrees(const ProblemList& findings, CancellableProgress& busy) {
    busy.showStatus(LangStr(kBuildingTheList));
    busy.setMaximum(static_cast<int>(findings.size()));
    const fs::path game = settings().GamePath;
    const fs::path store = StoredSkinsFolder();
    findings_ = findings;
    trees_.found = FoundDuplicatesTree(findings_, game);
    trees_.stored = StoredSkinsTree(store);

    TreeAddRoot(*tvDups, qt(game.string()));
    TreeAddRoot(*tvStored, qt(store.string()));
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        TreeAddGroup(*tvDups, GameText(RelativeFolder(findings_[i].Folder, game)));
        TreeAddLeaf(*tvDups, GameText(findings_[i].FileName), static_cast<int>(i));
        busy.setPosition(static_cast<int>(i) + 1);
    }
    for (const SkinTreeGroup& stored : trees_.stored.groups) {
        TreeAddGroup(*tvStored, GameText(stored.folder));
        for (const SkinTreeLeaf& leaf : stored.leaves) addStoredLeaf(*tvStored, stored.folder, leaf.fileName);
    }
    for (QTreeWidget* tree : {static_cast<QTreeWidget*>(tvDups), static_cast<QTreeWidget*>(tvStored)}) {
        tree->expandAll();
        tree->setCurrentItem(tree->topLevelItem(0));
    }
}

void TDupsSearchPage::showInfo(const std::string& text) {
    // The descriptions keep the game's line ends; the memo has its own.
    memDupInfo->setPlainText(qt(text).replace("\r\n", "\n"));
}

void TDupsSearchPage::tvDupsClick() {
    const QTreeWidgetItem* node = tvDups->currentItem();
    const QVariant finding = node != nullptr ? node->data(0, kTreeDataRole) : QVariant();
    showInfo(finding.isValid() ? findings_.at(static_cast<std::size_t>(finding.toInt())).Description
                               : FoundTreeHelp());
}

void TDupsSearchPage::tvStoredClick() {
    showInfo(StoredTreeHelp());
}

std::optional<MoveOutcome> TDupsSearchPage::runMove(const std::function<MoveOutcome()>& operation) {
    std::optional<MoveOutcome> outcome;
    ReportFailure(dialogs(), [&] {
        try {
            outcome = operation();
        } catch (const SkinMoveError& failure) {
            StyledMessageDlg(dialogs(), LangStr(5022), failure.what(), MsgKind::Error, 0, mrOk, mbOK);
        }
    });
    return outcome;
}

void TDupsSearchPage::storeNode(QTreeWidgetItem* node) {
    if (!TDupsTree::isFileNode(node)) return;
    const QVariant index = node->data(0, kTreeDataRole);
    if (!index.isValid()) return;
    // A copy: the node and its finding's place in the tree go with the pruning.
    const ProblemRecordDetails finding = findings_.at(static_cast<std::size_t>(index.toInt()));
    const std::optional<MoveOutcome> outcome =
        runMove([&] { return StoreFinding(trees_, finding, places(), dialogs()); });
    if (outcome == MoveOutcome::Declined) return;
    // The stored entry is added before the file moves, and stays when the move fails.
    const std::string relative = RelativeFolder(finding.Folder, settings().GamePath);
    const QString fileName = GameText(finding.FileName);
    if (storedTreeHas(trees_.stored, relative, finding.FileName)) {
        TreeAddGroup(*tvStored, GameText(relative));
        QTreeWidgetItem* folderNode = tvStored->currentItem();
        if (folderNode != nullptr && !hasFileNode(*folderNode, fileName)) {
            addStoredLeaf(*tvStored, relative, finding.FileName);
        }
        if (folderNode != nullptr) folderNode->setExpanded(true);
    }
    if (!outcome) return;
    TreeDeleteByText(*tvDups, fileName, dialogs());
    memDupInfo->clear();
}

void TDupsSearchPage::restoreNode(QTreeWidgetItem* node, bool dragged) {
    if (!TDupsTree::isFileNode(node)) return;
    const QVariantList place = node->data(0, kTreeDataRole).toList();
    if (place.size() != 2) return;
    const std::string folder = place[0].toByteArray().toStdString();
    const std::string fileName = place[1].toByteArray().toStdString();
    const std::optional<MoveOutcome> outcome =
        runMove([&] { return RestoreStored(trees_, folder, fileName, places(), dialogs()); });
    if (!outcome || *outcome == MoveOutcome::Declined) return;
    TreeDeleteByText(*tvStored, GameText(fileName), dialogs());
    if (*outcome == MoveOutcome::SourceMissing) {
        // Gone from the store since the trees were built: nothing came back.
        const fs::path source = places().storeFolder / folder / fileName;
        memDupInfo->setPlainText(qt(LangStr(kSkinMoveFailed)) + " " + GameText(QuotedPath(source)) +
                                 " is no longer in the store.");
        return;
    }
    showInfo(RestoredInfo(dragged));
}

void TDupsSearchPage::tvDupsDblClick() {
    storeNode(tvDups->currentItem());
}

void TDupsSearchPage::tvStoredDblClick() {
    restoreNode(tvStored->currentItem(), false);
}

void TDupsSearchPage::tvStoredDragDrop(const QString& origin) {
    if (origin == tvDups->objectName()) storeNode(tvDups->currentItem());
}

void TDupsSearchPage::tvDupsDragDrop(const QString& origin) {
    if (origin == tvStored->objectName()) restoreNode(tvStored->currentItem(), true);
}

}  // namespace corvane
