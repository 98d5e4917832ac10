#pragma once

#include "app/ui/EditorPage.h"
#include "neighbourhoods/NeighbourhoodCopies.h"
#include "neighbourhoods/ui/TfrmRenameCopy.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QPushButton;
class QTreeWidget;

namespace corvane {

// The Neighbourhood page (grpNeighborhood): the game's neighbourhood folders
// (tvNGBD) beside the editor's backups of them (tvNGBDBackup), each tree with
// a context menu of operations, and the description kept with a folder.
class TNeighbourhoodPage : public EditorPage {
    Q_OBJECT

public:
    TNeighbourhoodPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnNeighborhoodClick: both trees read anew, the open neighbourhood selected.
    void showPage() override;

    void tvNGBDClick();
    void tvNGBDBackupClick();
    void btnSaveNGBDDescriptionClick();
    void mNGBDBackupClick();
    void mNGBDRenameClick();
    void mNGBDCopyClick();
    void mNGBDDeleteClick();
    void mNGBDShowPathClick();
    void mNGBDBURestoreClick();
    void mNGBDBURenameClick();
    void mNGBDBUCopyClick();
    void mNGBDBUDeleteClick();
    void mNGBDBUShowPathClick();

    // Who answers the name dialog of renames and copies (tests answer in code).
    void setNameChooser(NameChooser chooser) { chooseName_ = std::move(chooser); }

    QLabel* lblNGBDDesc1 = nullptr;
    QLabel* lblNGBDDesc2 = nullptr;
    QTreeWidget* tvNGBD = nullptr;
    QTreeWidget* tvNGBDBackup = nullptr;
    QMenu* popTreeviewNGBD = nullptr;
    QAction* mNGBDBackup = nullptr;
    QAction* mNGBDRename = nullptr;
    QAction* mNGBDCopy = nullptr;
    QAction* mNGBDDelete = nullptr;
    QAction* mNGBDShowPath = nullptr;
    QMenu* popTreeviewNGBDBackup = nullptr;
    QAction* mNGBDBURestore = nullptr;
    QAction* mNGBDBURename = nullptr;
    QAction* mNGBDBUCopy = nullptr;
    QAction* mNGBDBUDelete = nullptr;
    QAction* mNGBDBUShowPath = nullptr;
    QPlainTextEdit* memNGBD = nullptr;
    QPushButton* btnSaveNGBDDescription = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page shows folders, not the character: edits leave it as it is.
    void refresh() override {}
    void createControls(QGroupBox* box);
    QMenu* createMenu(QTreeWidget* tree, const char* name);
    // Opens the tree's menu at `position` (in the tree's viewport).
    void openMenu(QTreeWidget* tree, const QPoint& position);
    QAction* createItem(QMenu* menu, const char* name, const char* text, void (TNeighbourhoodPage::*handler)());

    void rebuildGameTree();
    void rebuildBackupTree();
    // Selects the first-level node named `name` (letter case ignored), if any.
    static void selectFolder(QTreeWidget* tree, const std::string& name);
    // The first-level node selected in the tree; message 7098 when there is none.
    std::optional<std::string> selectedFolder(QTreeWidget* tree);
    std::filesystem::path folderOf(QTreeWidget* tree, const std::string& name) const;
    // Focuses the tree and shows the description of its selected folder.
    void showDescriptionOf(QTreeWidget* tree);
    // The folder whose description the memo shows; Save writes there and nowhere else.
    std::optional<std::filesystem::path> describedFolder_;
    void clicked(QTreeWidget* tree, QTreeWidget* other);

    void tell(const std::string& text);
    bool ask(const std::string& text);
    // Runs a folder operation, reporting its failure; false when it failed.
    bool runOperation(const std::function<void()>& operation);
    // Says where the replaced folder is kept when the Trash refused it.
    void tellKeptFolder(const NeighbourhoodCopyResult& result);
    // The folder name of the neighbourhood open in the header.
    std::string openFolder() const;
    bool isOpen(const std::string& name) const;
    // The open neighbourhood is about to be replaced, renamed or deleted:
    // its unsaved changes are offered for saving first. False to stop.
    bool saveBeforeChanging(const std::string& name);
    // Opens the selected neighbourhood of the list afresh, dropping the open one's records.
    void reopenNeighbourhood();
    std::optional<std::string> chooseName(const std::string& caption, const std::filesystem::path& folder,
                                          bool offerMain);
    void renameIn(QTreeWidget* tree);
    void deleteIn(QTreeWidget* tree);
    void showPathOf(QTreeWidget* tree);

    NameChooser chooseName_;
};

}  // namespace corvane
