#pragma once

#include "app/ui/EditorPage.h"
#include "skintools/ImportBitmapCheck.h"
#include "skintools/ImportNames.h"
#include "skintools/ui/TRepairDialog.h"

#include <filesystem>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace corvane {

class TDropFrame;

// The import page (grpImport): a bitmap chosen or dropped becomes a texture
// of the game, named for the kind of skin and the character file it is
// painted for; the preview shows that character file wearing it.
class TImportPage : public EditorPage {
    Q_OBJECT

public:
    TImportPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnImportClick: a visit that starts the page fills its lists with their defaults.
    void showPage() override;
    void leavePage() override;
    // A bitmap dropped on the preview, decoded as it is.
    void fileDropped(const std::filesystem::path& file) override;

    // The kind lists refill the character files; the colour renames only.
    void cbImpListChange();
    void cbImpSkinColorChange();
    void cbImpMeshChange();
    void edtImpNameChange();
    void btnChooseBMPClick();
    void btnImportFileClick();
    // A bitmap from the file dialog, the drop frame or the preview.
    // A bitmap too large for the game is offered the colour correction.
    void CheckImportBitmap(const std::filesystem::path& file, BitmapDecoding decoding);

    // Who opens the colour-correction editor (tests answer in code).
    void setColourEditor(RepairEditor editor) { colourEditor_ = std::move(editor); }

    QComboBox* cbImpSkinType = nullptr;
    QComboBox* cbImpGender = nullptr;
    QComboBox* cbImpAge = nullptr;
    QComboBox* cbImpBodySize = nullptr;
    QComboBox* cbImpHand = nullptr;
    QComboBox* cbImpHandType = nullptr;
    QComboBox* cbImpSkinColor = nullptr;
    QLabel* lblImpName = nullptr;
    QLineEdit* edtImpName = nullptr;
    QComboBox* cbImpMesh = nullptr;
    QPushButton* btnChooseBMP = nullptr;
    QPushButton* btnImportFile = nullptr;
    TDropFrame* DropFrame = nullptr;
    QWidget* lowCenter = nullptr;  // in the host's panel below the preview
    QLabel* lblDisplayName = nullptr;
    QLabel* lblNewName = nullptr;

    // The bitmap to import; empty until one is chosen.
    std::filesystem::path ImportFile;

private:
    void createControls(QGroupBox* box);
    void fillLists();
    SkinToolSettings toolSettings() const;
    SkinChoices choices() const;
    SkinCodes characterCodes() const;
    void showShownLists(const ShownLists& shown);
    void refillMeshes();
    void buildTextureName(bool fromNameField);
    void updatePreview();
    // The bitmap shown in the drop frame and made the one to import.
    void acceptBitmap(const std::filesystem::path& file, BitmapDecoding decoding);

    bool onShow_ = false;
    RepairEditor colourEditor_;
};

}  // namespace corvane
