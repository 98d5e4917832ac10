#pragma once

#include "app/ui/EditorPage.h"
#include "skintools/ExportNames.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace corvane {

// The export page (grpExport): an installed skin (a character file and one of
// its textures) is given a new body type, gender, age, size, colour, series
// and name; the editor writes the new character file and texture into the
// skins folder. The preview shows the chosen skin.
class TExportPage : public EditorPage {
    Q_OBJECT

public:
    TExportPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnExportClick: a visit that starts the page fills its lists with their defaults.
    void showPage() override;
    void leavePage() override;

    void cbExpSourceListChange();
    void cbExpSkinColorChange();
    void cbExpMeshChange();
    void lbExpTextureClick();
    void cbExpDestinationListChange();
    void edtExpSeriesChange();
    void edtExpNameChange();
    void btnExportFileClick();

    QComboBox* cbExpSkinType = nullptr;
    QComboBox* cbExpGender = nullptr;
    QComboBox* cbExpAge = nullptr;
    QComboBox* cbExpBodySize = nullptr;
    QComboBox* cbExpSkinColor = nullptr;
    QComboBox* cbExpMesh = nullptr;
    QListWidget* lbExpTexture = nullptr;
    QComboBox* cbExpSkinTypeDst = nullptr;
    QComboBox* cbExpGenderDst = nullptr;
    QComboBox* cbExpAgeDst = nullptr;
    QComboBox* cbExpBodySizeDst = nullptr;
    QComboBox* cbExpSkinColorDst = nullptr;
    QLabel* lblExpSeries = nullptr;
    QLineEdit* edtExpSeries = nullptr;
    QLabel* lblExpName = nullptr;
    QLineEdit* edtExpName = nullptr;
    QPushButton* btnExportFile = nullptr;
    QWidget* lowCenter = nullptr;  // in the host's panel below the preview
    QLabel* lblDisplayName = nullptr;
    QLabel* lblNewName = nullptr;
    QLabel* lblDisplayName2 = nullptr;
    QLabel* lblNewName2 = nullptr;

private:
    void createControls(QGroupBox* box);
    void fillLists();
    SkinToolSettings toolSettings() const;
    SkinChoices sourceChoices() const;
    SkinChoices destinationChoices() const;
    void refillMeshes();
    void ExportNames();
    std::string chosenMesh() const;
    std::string chosenTexture() const;
    void updatePreview();

    bool onShow_ = false;
};

}  // namespace corvane
