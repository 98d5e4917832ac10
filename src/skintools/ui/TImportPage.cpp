#include "skintools/ui/TImportPage.h"

#include "app/ui/BitmapImage.h"
#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "platform/BmpCodec.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "skins/SkinCatalogue.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/TextureImport.h"
#include "skintools/ui/SkinToolControls.h"
#include "skintools/ui/TDropFrame.h"
#include "skintools/ui/TfrmBMPEdit.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBitmapFilter = "Bitmap Files (*.bmp)|*.BMP";

}  // namespace

TImportPage::TImportPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpImport"));
    showColourEditor_ = [](TfrmBMPEdit& editor) { editor.exec(); };
}

void TImportPage::createControls(QGroupBox* box) {
    DropFrame = new TDropFrame(box);
    DropFrame->setGeometry(8, 16, 184, 120);
    btnChooseBMP = new QPushButton("Choose *.bmp File", box);
    btnChooseBMP->setObjectName("btnChooseBMP");
    btnChooseBMP->setGeometry(8, 140, 184, 24);
    cbImpSkinType = CreateChoiceList(box, "cbImpSkinType", 170);
    cbImpGender = CreateChoiceList(box, "cbImpGender", 196);
    cbImpAge = CreateChoiceList(box, "cbImpAge", 222);
    cbImpBodySize = CreateChoiceList(box, "cbImpBodySize", 248);
    cbImpHand = CreateChoiceList(box, "cbImpHand", 222);
    cbImpHandType = CreateChoiceList(box, "cbImpHandType", 248);
    cbImpSkinColor = CreateChoiceList(box, "cbImpSkinColor", 274);
    edtImpName = CreateLabelledField(box, lblImpName, "lblImpName", "Name:", "edtImpName", 300, 50);
    cbImpMesh = CreateChoiceList(box, "cbImpMesh", 330);
    btnImportFile = new QPushButton("Import *.bmp File Into Game", box);
    btnImportFile->setObjectName("btnImportFile");
    btnImportFile->setGeometry(8, 420, 184, 30);

    lowCenter = new QWidget(&host().lowCenterPanel());
    lowCenter->setObjectName("pnlImportNames");
    lowCenter->setGeometry(0, 0, 391, 105);
    lowCenter->hide();
    lblDisplayName = new QLabel(lowCenter);
    lblDisplayName->setObjectName("lblDisplayName");
    lblDisplayName->setGeometry(8, 8, 375, 22);
    lblNewName = new QLabel(lowCenter);
    lblNewName->setObjectName("lblNewName");
    lblNewName->setGeometry(8, 32, 375, 22);

    for (QComboBox* list : {cbImpSkinType, cbImpGender, cbImpAge, cbImpHand, cbImpBodySize, cbImpHandType}) {
        connect(list, &QComboBox::currentIndexChanged, this, &TImportPage::cbImpListChange);
    }
    connect(cbImpSkinColor, &QComboBox::currentIndexChanged, this, &TImportPage::cbImpSkinColorChange);
    connect(cbImpMesh, &QComboBox::currentIndexChanged, this, &TImportPage::cbImpMeshChange);
    connect(edtImpName, &QLineEdit::textEdited, this, &TImportPage::edtImpNameChange);
    connect(btnChooseBMP, &QPushButton::clicked, this, &TImportPage::btnChooseBMPClick);
    connect(btnImportFile, &QPushButton::clicked, this, &TImportPage::btnImportFileClick);
}

SkinToolSettings TImportPage::toolSettings() const {
    return PageSkinToolSettings(settings(), host().switches().teens);
}

SkinChoices TImportPage::choices() const {
    SkinChoices chosen;
    chosen.kind = SelectedKind(*cbImpSkinType, SkinKind::Body);
    chosen.gender = SelectedPosition(*cbImpGender);
    chosen.age = SelectedPosition(*cbImpAge);
    chosen.bodySize = SelectedPosition(*cbImpBodySize);
    chosen.skinColor = SelectedPosition(*cbImpSkinColor);
    chosen.hand = SelectedPosition(*cbImpHand);
    chosen.handType = SelectedPosition(*cbImpHandType);
    return chosen;
}

SkinCodes TImportPage::characterCodes() const {
    if (const Sim* sim = current()) return SkinCodesOf(*sim, settings().ExpansionLevel);
    SkinCodes nobody;
    nobody.ExpansionLevel = settings().ExpansionLevel;
    return nobody;
}

void TImportPage::fillLists() {
    const SkinToolSettings tool = toolSettings();
    FillKindList(*cbImpSkinType, ImportSkinKinds(tool), SkinKind::Body);
    FillChoiceList(*cbImpGender, GenderItems(2), 0);
    FillChoiceList(*cbImpAge, AgeItems(), 0);
    FillChoiceList(*cbImpBodySize, BodySizeItems(tool.teens), 1);
    FillChoiceList(*cbImpHand, HandItems(), 0);
    FillChoiceList(*cbImpHandType, HandTypeItems(), 0);
    FillChoiceList(*cbImpSkinColor, SkinColorItems(), 1);
    const QSignalBlocker quiet(edtImpName);
    edtImpName->setText(QString::fromStdString(LangStr(6122)));
}

void TImportPage::showPage() {
    if (!onShow_) fillLists();
    onShow_ = true;
    DropFrame->setDropHandler([this](const fs::path& file) { CheckImportBitmap(file, BitmapDecoding::WithSizeFix); });
    refillMeshes();
}

void TImportPage::leavePage() {
    onShow_ = false;
    DropFrame->setDropHandler({});
    lowCenter->hide();
}

void TImportPage::fileDropped(const fs::path& file) {
    CheckImportBitmap(file, BitmapDecoding::AsIs);
}

void TImportPage::cbImpListChange() {
    if (onShow_) refillMeshes();
}

void TImportPage::cbImpSkinColorChange() {
    if (onShow_) cbImpMeshChange();
}

void TImportPage::showShownLists(const ShownLists& shown) {
    cbImpGender->setVisible(shown.gender);
    cbImpAge->setVisible(shown.age);
    cbImpBodySize->setVisible(shown.bodySize);
    cbImpSkinColor->setVisible(shown.skinColor);
    cbImpHand->setVisible(shown.hands);
    cbImpHandType->setVisible(shown.hands);
}

void TImportPage::refillMeshes() {
    host().LoadSkinData();
    SkinChoices chosen = choices();
    const ImportMask mask = ImportMeshMask(chosen, toolSettings(), characterCodes());
    FitGenderList(*cbImpGender, mask.shown.genderItems, chosen.gender);
    showShownLists(mask.shown);
    const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
    const SkinSources sources{folders, GameSkinCatalogue()};
    ShowSkinList(*cbImpMesh, ImportMeshList(sources, mask, chosen.kind, GameBytes(edtImpName->text()),
                                            document().random(), &dialogs()));
    cbImpMeshChange();
}

void TImportPage::cbImpMeshChange() {
    cbImpMesh->setToolTip(cbImpMesh->currentText());
    buildTextureName(false);
}

void TImportPage::buildTextureName(bool fromNameField) {
    lowCenter->hide();
    btnImportFile->setEnabled(false);
    const std::string mesh = GameBytes(cbImpMesh->currentText());
    const ImportedTextureName name =
        ImportTextureName(choices(), toolSettings(), characterCodes(), mesh, GameBytes(edtImpName->text()));
    edtImpName->setVisible(name.nameShown);
    lblImpName->setVisible(name.nameShown);
    if (!name.nameShown) {
        const QSignalBlocker quiet(edtImpName);
        edtImpName->clear();
    }
    if (!name.choiceListsShown) {
        for (QComboBox* list : {cbImpGender, cbImpAge, cbImpBodySize, cbImpSkinColor}) list->hide();
    }
    if (PathExists(ImportFile) && !mesh.empty()) {
        ShowNewName(*lblDisplayName, *lblNewName, QString::fromStdString(LangStr(6133)), GameText(name.fileName));
        host().lowCenterPanel().show();
        host().lowCenterPanel().raise();
        lowCenter->show();
        btnImportFile->setEnabled(true);
    }
    if (!fromNameField) updatePreview();
}

void TImportPage::updatePreview() {
    SkinToolPreview preview;
    const SkinChoices chosen = choices();
    std::size_t slot = kBodySlot;
    if (chosen.kind == SkinKind::Head) slot = kHeadSlot;
    if (chosen.kind == SkinKind::Hands) slot = chosen.hand == 1 ? kRightHandSlot : kLeftHandSlot;
    // Without a bitmap (or once it is gone) the mesh wears its own texture.
    preview.dressed[slot] = {GameBytes(cbImpMesh->currentText()), PathExists(ImportFile) ? ImportFile.string() : ""};
    preview.skeleton = PreviewSkeletonFor(chosen.kind, chosen.age);
    preview.child = current() != nullptr && current()->Age < 10;
    host().ShowSkinToolPreview(preview);
}

void TImportPage::edtImpNameChange() {
    if (!onShow_) return;
    const FilteredName filtered = FilterSkinName(GameBytes(edtImpName->text()));
    if (filtered.changed) {
        PutBackFilteredName(*edtImpName, filtered.text);
        TellSkinTool(dialogs(), NameNotAllowedText(), MsgKind::Error);
        return;
    }
    buildTextureName(true);
}

void TImportPage::btnChooseBMPClick() {
    const auto chosen = dialogs().chooseOpenFile({LangStr(5022), kBitmapFilter, {}, {}});
    if (!chosen || !PathExists(*chosen)) return;
    CheckImportBitmap(*chosen, BitmapDecoding::WithSizeFix);
}

void TImportPage::CheckImportBitmap(const fs::path& file, BitmapDecoding decoding) {
    const ImportBitmapCheck check = corvane::CheckImportBitmap(file, decoding);
    // Only an accepted bitmap becomes the one to import: a refused one must
    // not be imported by the next click on the import button.
    if (check.verdict == ImportBitmapVerdict::Accepted) {
        acceptBitmap(file, decoding, {});
        return;
    }
    if (!TellImportBitmapCheck(check, dialogs())) return;
    std::vector<std::uint8_t> corrected = correctedCopy(check, file);
    if (!corrected.empty() && AcceptedAfterCorrection(CheckImportBitmapBytes(corrected, file.string(), decoding))) {
        acceptBitmap(file, decoding, std::move(corrected));
    }
}

std::vector<std::uint8_t> TImportPage::correctedCopy(const ImportBitmapCheck& check, const fs::path& file) {
    std::vector<std::uint8_t> corrected;
    ReportFailure(dialogs(), [&] {
        TfrmBMPEdit editor(ColourCorrectionRecord(check, file), settings(), dialogs(), window());
        editor.keepRepairInstead([&](const std::string& bytes) { corrected.assign(bytes.begin(), bytes.end()); });
        showColourEditor_(editor);
    });
    return corrected;
}

void TImportPage::acceptBitmap(const fs::path& file, BitmapDecoding decoding, std::vector<std::uint8_t> corrected) {
    ReportFailure(dialogs(), [&] {
        const std::vector<std::uint8_t> bytes = corrected.empty() ? ReadFileBytes(file) : corrected;
        const Bitmap bitmap = decoding == BitmapDecoding::WithSizeFix ? LoadBmpWithSizeFix(bytes, file.string())
                                                                       : DecodeBmp(bytes, file.string());
        DropFrame->showPicture(QPixmap::fromImage(ImageOfBitmap(bitmap)));
    });
    ImportFile = file;
    CorrectedImport = std::move(corrected);
    cbImpMeshChange();
}

void TImportPage::btnImportFileClick() {
    const std::string mesh = GameBytes(cbImpMesh->currentText());
    const std::string textureName = GameBytes(lblNewName->text());
    ReportFailure(dialogs(), [&] {
        const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
        const TextureImportResult result = ImportTexture(
            {ImportFile, mesh, textureName, CorrectedImport}, folders,
            ResolveCaseInsensitive(settings().GamePath, settings().SkinsFolder),
            dialogs());
        if (result.sourceTrashed) {
            // The bitmap is in the Trash now: the page waits for another.
            ImportFile.clear();
            CorrectedImport.clear();
            DropFrame->clearPicture();
            cbImpMeshChange();
        }
    });
}

}  // namespace corvane
