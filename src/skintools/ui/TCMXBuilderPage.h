#pragma once

#include "app/ui/EditorPage.h"
#include "skintools/CmxBuilder.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace corvane {

// The CMX builder page (grpCMXBuilder): mesh (SKN) files added with the
// button or dropped on the preview make a new character file, named by the
// game's scheme from the chosen kind, series, gender, age, size and name; the
// memo shows its text, which is checked and saved into a folder the user picks.
class TCMXBuilderPage : public EditorPage {
    Q_OBJECT

public:
    TCMXBuilderPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnCMXBuilderClick: (re)builds the text; a visit that starts the page
    // fills the lists with their defaults.
    void showPage() override;
    void leavePage() override;
    // A mesh file dropped on the preview joins the list; other files are ignored.
    void fileDropped(const std::filesystem::path& file) override;

    void btnCMXBuilderClick();
    void btnAddCmxSknClick();
    void btnClearCmxSknClick();
    void btnSaveCMXClick();
    void edtCMXNameChange();
    void edtCMXSeriesChange();
    void edtCMXSeriesExit();

    QComboBox* cbCMXSkinType = nullptr;
    QComboBox* cbCMXGender = nullptr;
    QComboBox* cbCMXAge = nullptr;
    QComboBox* cbCMXBodySize = nullptr;
    QComboBox* cbCMXHand = nullptr;
    QComboBox* cbCMXHandType = nullptr;
    QLabel* lblCMXSeries = nullptr;
    QLineEdit* edtCMXSeries = nullptr;
    QLabel* lblCMXName = nullptr;
    QLineEdit* edtCMXName = nullptr;
    QPlainTextEdit* memCMXBldr = nullptr;
    QPushButton* btnAddCmxSkn = nullptr;
    QPushButton* btnClearCmxSkn = nullptr;
    QPushButton* btnSaveCMX = nullptr;

    // The meshes added, in order; empty until the first and after clearing.
    CMXBuilderList meshes;

private:
    void createControls(QGroupBox* box);
    void fillLists();
    void addMesh(const std::filesystem::path& file);
    void updatePreview(const SkinChoices& chosen);

    bool onShow_ = false;
    std::filesystem::path saveFolder_;  // the folder chosen last
};

}  // namespace corvane
