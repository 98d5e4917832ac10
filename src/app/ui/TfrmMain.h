#pragma once

#include "app/CommandLineSwitches.h"
#include "app/GameInstallation.h"
#include "app/ui/EditorPage.h"
#include "app/ui/PageTable.h"
#include "sim/Document.h"
#include "platform/Dialogs.h"
#include "platform/InstallationLock.h"
#include "platform/Registry.h"
#include "render/PreviewModels.h"
#include "skins/CensorFiles.h"

#include <QPixmap>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class TfrmAbout;
class TSkinSelectPanel;
class Tf3DUIGL;

// What the main window needs from outside: the dialogs to ask through, the
// registry, the command line, where the language tables are, and the
// language dialog of start-up (it answers the name of a language).
struct MainWindowServices {
    Dialogs& dialogs;
    Registry& registry;
    CommandLineSwitches switches;
    std::filesystem::path languageFolder;
    std::function<std::string()> askLanguage;
};

// The editor's one main window: a fixed client area of 789 × 538, centred on
// the screen, with a system menu and a minimise button only. A header with the
// neighbourhood and character lists, a button bar with one button per page,
// the page area, the preview panel and the Save and Exit buttons.
class TfrmMain : public QWidget, public PageHost {
    Q_OBJECT

public:
    explicit TfrmMain(MainWindowServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 538;

    // Start-up: finds the game, its language and expansion level, lists the
    // neighbourhoods, styles and titles every control. False when the editor
    // must end (the game was not found).
    bool FormCreate();

    // Shows the page of a page button (see MainWindowPages()).
    void ShowPage(QPushButton* button);
    // Disables every group box (with the hourglass) for a long operation;
    // UnlockPages enables them again, the button bar only with characters.
    // Locks nest: only the outermost unlock unlocks.
    void LockPages() override;
    void UnlockPages() override;
    bool pagesLocked() const { return lockDepth_ > 0; }

    // Opens the neighbourhood selected in the list and shows its page.
    void cbNeighborhoodChange();
    // Makes the selected character the current one and fits the page buttons to it.
    void cbUserNameChange();
    // Relabels the character list in its next format.
    void btnSortUsersClick();
    // Sends the selected character's file to the Trash, after asking.
    void btnDelSimClick();

    const CharacterList& characters() const { return document_.characters(); }
    Document& document() { return document_; }
    // Writes the character list's texts anew in the format it shows (after names changed).
    void RefreshCharacterTexts();

    // Builds the skin catalogue under the busy window; false when an archive
    // could not be read.
    bool LoadSkinData() override;
    // Asks about and saves the modified characters; false when a question was
    // closed without an answer: nothing saved, every change kept.
    bool SaveModifiedCharacters() override;
    void RelistNeighbourhoods(const std::string& folder) override;
    void OpenSelectedNeighbourhood() override { cbNeighborhoodChange(); }
    std::string neighbourhoodShown() const override;
    // Saves, reads the neighbourhood again when households or family names
    // changed, and shows the list anew with the same character selected.
    void btnSaveClick();
    // Redraws the preview for a page that shows the character ("Normal") or a
    // profile ("CVPs").
    void UpdatePreview(PreviewContent content);
    // Loads the meshes into the preview window and shows it.
    void showPreviewMeshes(const std::vector<PreviewMesh>& meshes, const std::string& skeleton, bool child);
    void RefreshPreview() override { UpdatePreview(PreviewContent::Normal); }
    void ShowSkinToolPreview(const SkinToolPreview& preview) override;
    QFrame& lowCenterPanel() override { return *pnlLowCenter; }
    QPixmap missingPicture() const override;
    TSkinSelectPanel& skinPanel() override { return *grpSelectSkins; }
    // Draws the current character's six pictures in an OpenGL context of its
    // own, into the file the next save takes them from.
    void MakeCharacterImages() override;
    const CommandLineSwitches& switches() const override { return services_.switches; }
    Registry& registry() override { return services_.registry; }
    using PageHost::ShowBusy;
    std::unique_ptr<CancellableProgress> ShowBusy(const std::string& status, BusyCancel cancel) override;

    // Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z): the edits since the neighbourhood
    // was opened or saved, one step at a time.
    void Undo();
    void Redo();

    QPushButton* pageButton(std::string_view name) const;
    QGroupBox* pageGroup(std::string_view name) const;
    EditorPage* page(PageKind kind) const;
    TfrmAbout* aboutWindow() const { return about_; }
    Dialogs& dialogs() const { return services_.dialogs; }
    const std::vector<QPixmap>& heartPictures() const override { return imgListHearts; }
    const std::vector<QPixmap>& jobPictures() const override { return imgListJobs; }

    // The fixed parts, named as everywhere in the editor.
    QGroupBox* grpNGBD = nullptr;
    QLabel* lblNeighborhood = nullptr;
    QComboBox* cbNeighborhood = nullptr;
    QComboBox* cbUserName = nullptr;
    QPushButton* btnSortUsers = nullptr;
    QPushButton* btnDelSim = nullptr;
    QGroupBox* grpSelect = nullptr;
    TSkinSelectPanel* grpSelectSkins = nullptr;
    QGroupBox* grpButtons = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnExit = nullptr;
    QFrame* pnl3DSim = nullptr;
    QLabel* img3DSim = nullptr;
    QFrame* pnlLowCenter = nullptr;
    QFrame* pnlAbout = nullptr;
    QCheckBox* ckOpenCurNBGD = nullptr;
    QCheckBox* ckChkChdFormals = nullptr;
    // Whether the game blurs nude adults, children, dogs and cats.
    QCheckBox* ckBlurAdult = nullptr;
    QCheckBox* ckBlurChild = nullptr;
    QCheckBox* ckBlurDog = nullptr;
    QCheckBox* ckBlurCat = nullptr;
    // Set while the window is made and while a neighbourhood's characters
    // load: the controls are being filled, and their handlers store nothing.
    bool BusyLoading = true;
    Tf3DUIGL* f3DUIGL = nullptr;  // the 3D preview in pnl3DSim

    // The small pictures of the pages: hearts, the missing-picture mark, careers.
    std::vector<QPixmap> imgListHearts;
    std::vector<QPixmap> imgListX;
    std::vector<QPixmap> imgListJobs;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createHeader();
    void createButtonBar();
    void createPages();
    void createPreviewAndButtons();
    void createUndoKeys();
    void documentChanged(const DocumentChange& change);
    // An undo or redo (`step`), with the pictures staged for the next save
    // following the records: drawn anew for the current character when its
    // skins changed, dropped when the request for them was undone.
    void stepThroughHistory(const std::function<bool()>& step);

    // Start-up steps.
    bool findGame();
    void chooseLanguage();
    // Takes the installation's lock, or, when another editor holds it, asks
    // whether to open it read-only; false: quit.
    bool takeInstallationLock();
    // Completes a cut-off save and cleans up interrupted work, when this editor may write.
    void recoverInterruptedWork();
    void listNeighbourhoods(const std::string& preselected);
    // Fills the neighbourhood list from the game folder and selects the entry
    // `choose` names (-1: none); the open neighbourhood's path follows it.
    void fillNeighbourhoodList(const std::function<int(const std::vector<NeighbourhoodEntry>&)>& choose);
    void applyEditorOptions();
    void applyLocalisedTexts();
    void applyExpansionFeatures();
    void restrictInterests();
    void fillHauntAddresses();
    void setBlurCheckBoxes();
    void createBlurCheckBoxes(QGroupBox* neighbourhood);
    void blurBoxChanged(CensorKind kind, bool checked);
    void createPreviewWindow();
    const PageInfo* pageOnShow() const;

    // Page switching.
    void placePreview(const PageInfo& page);
    void showLogo(std::string_view name);
    void closeAboutWindow();

    // Exit.
    // False when the save question was closed without an answer: the window stays.
    bool FormClose();
    void ckOpenCurNBGDClick(bool checked);

    // Shows the Neighbourhood page filled anew (after a neighbourhood was opened).
    void showNeighbourhoodPage();
    void fillCharacterList();
    void fitPageButtonsTo(const Sim& sim);

    MainWindowServices services_;
    Document document_;
    Document::Subscription documentSubscription_;
    PreviewModels previewModels_;  // textures in f3DUIGL's context
    std::map<std::string, QPushButton*, std::less<>> pageButtons_;
    std::map<PageKind, EditorPage*> pages_;
    std::map<CensorKind, QCheckBox*> blurBoxes_;
    int lockDepth_ = 0;
    TfrmAbout* about_ = nullptr;
    std::string preselectedNeighbourhood_;
    bool closing_ = false;
    std::optional<InstallationLock> installationLock_;
    bool familiesRewritten_ = false;  // a save rewrote neighborhood.iff's households, or found files changed on disk
};

}  // namespace corvane
