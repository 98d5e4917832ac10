#pragma once

#include "app/ui/EditorPage.h"
#include "skintools/ImportBitmapCheck.h"
#include "skintools/ImportNames.h"
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace corvane {

class TDropFrame;
class TfrmBMPEdit;

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

    // Shows the colour-correction editor the page made, modally (tests click its buttons).
    using ColourEditorShow = std::function<void(TfrmBMPEdit& editor)>;
    void setColourEditor(ColourEditorShow show) { showColourEditor_ = std::move(show); }

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
    // Its colour-corrected form, imported in its stead; empty when the file
    // is imported as it is. The chosen file itself is never rewritten.
    std::vector<std::uint8_t> CorrectedImport;

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
    // The bitmap (or its corrected form) shown in the drop frame and made the one to import.
    void acceptBitmap(const std::filesystem::path& file, BitmapDecoding decoding, std::vector<std::uint8_t> corrected);
    // The corrected form the user saved in the colour-correction editor; empty when not saved.
    std::vector<std::uint8_t> correctedCopy(const ImportBitmapCheck& check, const std::filesystem::path& file);

    bool onShow_ = false;
    ColourEditorShow showColourEditor_;
};

}  // namespace corvane
