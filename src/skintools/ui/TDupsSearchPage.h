#pragma once

#include "app/ui/EditorPage.h"
#include "skins/ProblemRecordDetails.h"
#include "skintools/DuplicateStore.h"

#include <functional>
#include <optional>
#include <string>

class QPlainTextEdit;
class QPushButton;
class QTreeWidgetItem;

namespace corvane {

class TDupsTree;

// The duplicate search page (grpDupsSearch): skin files the game has more
// than once, grouped by folder below the game (tvDups), beside the store of
// the files moved out of the game (tvStored). A double click or a drag to the
// other tree moves a file out of the game or back.
class TDupsSearchPage : public EditorPage {
    Q_OBJECT

public:
    TDupsSearchPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnDupsSearchClick: the page opened is searched at once.
    void showPage() override { btnDupsSearchClick(); }
    void restPage() override;

    // The search; "Reload Trees" repeats it.
    void btnDupsSearchClick();
    void tvDupsClick();
    void tvStoredClick();
    void tvDupsDblClick();
    void tvStoredDblClick();
    // A file node dragged from the tree named `origin` was dropped.
    void tvDupsDragDrop(const QString& origin);
    void tvStoredDragDrop(const QString& origin);

    TDupsTree* tvDups = nullptr;
    TDupsTree* tvStored = nullptr;
    QPlainTextEdit* memDupInfo = nullptr;
    QPushButton* btnReloadSkinData = nullptr;

private:
    // The page shows files, not the character: edits leave it as it is.
    void refresh() override {}
    void createControls(QGroupBox* box);
    void clearTrees();
    void search();
    void showTrees(const ProblemList& findings, CancellableProgress& busy);
    void storeNode(QTreeWidgetItem* node);
    void restoreNode(QTreeWidgetItem* node, bool dragged);
    // Runs a store or restore; a failed move is shown (message 8049) and answers nothing.
    std::optional<MoveOutcome> runMove(const std::function<MoveOutcome()>& operation);
    void showInfo(const std::string& text);
    DuplicatePlaces places() const;

    // What the trees show, as the store and restore keep it; a file node of
    // tvDups carries the position of its finding in `findings_`, one of
    // tvStored its folder and file name as they are on disk.
    ProblemList findings_;
    DuplicateTrees trees_;
};

}  // namespace corvane
