#include "skintools/ui/TExportPage.h"

#include "app/ui/BitmapImage.h"
#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "render/TexturePictures.h"
#include "skins/SkinCatalogue.h"
#include "skintools/SkinExport.h"
#include "skintools/SkinSeries.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/ui/SkinToolControls.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace corvane {

namespace {

// Two lists side by side in one row of the page.
QComboBox* halfList(QGroupBox* box, const char* name, int left, int top) {
    QComboBox* list = CreateChoiceList(box, name, top);
    list->setGeometry(left, top, 90, 22);
    return list;
}

void showLists(const ShownLists& shown, QComboBox* gender, QComboBox* age, QComboBox* bodySize, QComboBox* colour) {
    gender->setVisible(shown.gender);
    age->setVisible(shown.age);
    bodySize->setVisible(shown.bodySize);
    colour->setVisible(shown.skinColor);
}

}  // namespace

TExportPage::TExportPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpExport"));
}

void TExportPage::createControls(QGroupBox* box) {
    cbExpSkinType = CreateChoiceList(box, "cbExpSkinType", 16);
    cbExpGender = halfList(box, "cbExpGender", 8, 40);
    cbExpAge = halfList(box, "cbExpAge", 102, 40);
    cbExpBodySize = halfList(box, "cbExpBodySize", 8, 64);
    cbExpSkinColor = halfList(box, "cbExpSkinColor", 102, 64);
    cbExpMesh = CreateChoiceList(box, "cbExpMesh", 92);
    lbExpTexture = new QListWidget(box);
    lbExpTexture->setObjectName("lbExpTexture");
    lbExpTexture->setGeometry(8, 118, 184, 130);
    lbExpTexture->setIconSize({kListPictureSize, kListPictureSize});
    cbExpSkinTypeDst = CreateChoiceList(box, "cbExpSkinTypeDst", 256);
    cbExpGenderDst = halfList(box, "cbExpGenderDst", 8, 280);
    cbExpAgeDst = halfList(box, "cbExpAgeDst", 102, 280);
    cbExpBodySizeDst = halfList(box, "cbExpBodySizeDst", 8, 304);
    cbExpSkinColorDst = halfList(box, "cbExpSkinColorDst", 102, 304);
    edtExpSeries = CreateLabelledField(box, lblExpSeries, "lblExpSeries", "Series #:", "edtExpSeries", 332, 62);
    edtExpSeries->setText("000");
    edtExpSeries->setMaxLength(3);
    edtExpName = CreateLabelledField(box, lblExpName, "lblExpName", "Name:", "edtExpName", 360, 50);
    btnExportFile = new QPushButton("Export Skin Files Into Game", box);
    btnExportFile->setObjectName("btnExportFile");
    btnExportFile->setGeometry(8, 420, 184, 30);

    lowCenter = new QWidget(&host().lowCenterPanel());
    lowCenter->setObjectName("pnlExportNames");
    lowCenter->setGeometry(0, 0, 391, 105);
    lowCenter->hide();
    const auto nameLabel = [&](const char* name, int top) {
        auto* label = new QLabel(lowCenter);
        label->setObjectName(name);
        label->setGeometry(8, top, 375, 22);
        return label;
    };
    lblDisplayName = nameLabel("lblDisplayName", 4);
    lblNewName = nameLabel("lblNewName", 26);
    lblDisplayName2 = nameLabel("lblDisplayName2", 52);
    lblNewName2 = nameLabel("lblNewName2", 74);

    for (QComboBox* list : {cbExpSkinType, cbExpGender, cbExpAge, cbExpBodySize}) {
        connect(list, &QComboBox::currentIndexChanged, this, &TExportPage::cbExpSourceListChange);
    }
    connect(cbExpSkinColor, &QComboBox::currentIndexChanged, this, &TExportPage::cbExpSkinColorChange);
    connect(cbExpMesh, &QComboBox::currentIndexChanged, this, &TExportPage::cbExpMeshChange);
    // A texture chosen with the keys counts as one clicked.
    connect(lbExpTexture, &QListWidget::currentRowChanged, this, &TExportPage::lbExpTextureClick);
    for (QComboBox* list : {cbExpSkinTypeDst, cbExpGenderDst, cbExpAgeDst, cbExpBodySizeDst, cbExpSkinColorDst}) {
        connect(list, &QComboBox::currentIndexChanged, this, &TExportPage::cbExpDestinationListChange);
    }
    connect(edtExpSeries, &QLineEdit::textEdited, this, &TExportPage::edtExpSeriesChange);
    connect(edtExpName, &QLineEdit::textEdited, this, &TExportPage::edtExpNameChange);
    connect(btnExportFile, &QPushButton::clicked, this, &TExportPage::btnExportFileClick);
}

SkinToolSettings TExportPage::toolSettings() const {
    return PageSkinToolSettings(settings(), host().switches().teens);
}

SkinChoices TExportPage::sourceChoices() const {
    SkinChoices chosen;
    chosen.kind = SelectedKind(*cbExpSkinType, SkinKind::Body);
    chosen.gender = SelectedPosition(*cbExpGender);
    chosen.age = SelectedPosition(*cbExpAge);
    chosen.bodySize = SelectedPosition(*cbExpBodySize);
    chosen.skinColor = SelectedPosition(*cbExpSkinColor);
    return chosen;
}

SkinChoices TExportPage::destinationChoices() const {
    SkinChoices chosen;
    chosen.kind = SelectedKind(*cbExpSkinTypeDst, SkinKind::Body);
    chosen.gender = SelectedPosition(*cbExpGenderDst);
    chosen.age = SelectedPosition(*cbExpAgeDst);
    chosen.bodySize = SelectedPosition(*cbExpBodySizeDst);
    chosen.skinColor = SelectedPosition(*cbExpSkinColorDst);
    return chosen;
}

std::string TExportPage::chosenMesh() const {
    return GameBytes(cbExpMesh->currentText());
}

std::string TExportPage::chosenTexture() const {
    const QListWidgetItem* item = lbExpTexture->currentItem();
    return item != nullptr ? GameBytes(item->text()) : std::string();
}

void TExportPage::fillLists() {
    const SkinToolSettings tool = toolSettings();
    const std::vector<SkinKindItem> kinds = ExportSkinKinds(tool);
    for (const auto& [type, gender, age, size, colour] :
         {std::tuple{cbExpSkinType, cbExpGender, cbExpAge, cbExpBodySize, cbExpSkinColor},
          std::tuple{cbExpSkinTypeDst, cbExpGenderDst, cbExpAgeDst, cbExpBodySizeDst, cbExpSkinColorDst}}) {
        FillKindList(*type, kinds, SkinKind::Body);
        FillChoiceList(*gender, GenderItems(2), 0);
        FillChoiceList(*age, AgeItems(), 0);
        FillChoiceList(*size, BodySizeItems(tool.teens), 1);
        FillChoiceList(*colour, SkinColorItems(), 1);
    }
    const QSignalBlocker quietSeries(edtExpSeries);
    edtExpSeries->setText("000");
    const QSignalBlocker quietName(edtExpName);
    edtExpName->setText(QString::fromStdString(LangStr(6122)));
}

void TExportPage::showPage() {
    if (onShow_) return;
    fillLists();
    onShow_ = true;
    host().LoadSkinData();
    refillMeshes();
    // The new skin starts as the one it is made from.
    FillKindList(*cbExpSkinTypeDst, ExportDestinationKinds(toolSettings(), sourceChoices().kind),
                 sourceChoices().kind);
    for (const auto& [source, destination] :
         {std::pair{cbExpGender, cbExpGenderDst},
          std::pair{cbExpAge, cbExpAgeDst}, std::pair{cbExpBodySize, cbExpBodySizeDst},
          std::pair{cbExpSkinColor, cbExpSkinColorDst}}) {
        const QSignalBlocker quiet(destination);
        if (destination->count() != source->count()) {
            destination->clear();
            for (int i = 0; i < source->count(); ++i) destination->addItem(source->itemText(i), source->itemData(i));
        }
        destination->setCurrentIndex(source->currentIndex());
    }
    ExportNames();
}

void TExportPage::leavePage() {
    onShow_ = false;
    lowCenter->hide();
}

void TExportPage::cbExpSourceListChange() {
    if (onShow_) refillMeshes();
}

void TExportPage::cbExpSkinColorChange() {
    if (onShow_) cbExpMeshChange();
}

void TExportPage::refillMeshes() {
    host().LoadSkinData();
    const SkinToolSettings tool = toolSettings();
    SkinChoices source = sourceChoices();
    const ExportMask mask = ExportMeshMask(source, tool);
    FitGenderList(*cbExpGender, mask.shown.genderItems, source.gender);
    showLists(mask.shown, cbExpGender, cbExpAge, cbExpBodySize, cbExpSkinColor);
    showLists(mask.shown, cbExpGenderDst, cbExpAgeDst, cbExpBodySizeDst, cbExpSkinColorDst);
    FillKindList(*cbExpSkinTypeDst, ExportDestinationKinds(tool, source.kind),
                 SelectedKind(*cbExpSkinTypeDst, source.kind));
    cbExpSkinTypeDst->setEnabled(mask.destinationKindEnabled);
    const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
    const SkinSources sources{folders, GameSkinCatalogue()};
    ShowSkinList(*cbExpMesh,
                 ExportMeshList(sources, mask, GameBytes(edtExpName->text()), document().random(), &dialogs()));
    cbExpMeshChange();
}

void TExportPage::cbExpMeshChange() {
    host().LoadSkinData();
    lowCenter->hide();
    btnExportFile->setEnabled(false);
    const SkinToolSettings tool = toolSettings();
    const SkinChoices source = sourceChoices();
    const ExportTextureChoice choice = ExportTextureMask(source, chosenMesh(), GameBytes(edtExpName->text()), tool);
    {
        const QSignalBlocker quiet(edtExpSeries);
        edtExpSeries->setText(GameText(choice.series));
    }
    if (choice.destinationKind) {
        const QSignalBlocker quiet(cbExpSkinTypeDst);
        cbExpSkinTypeDst->setCurrentIndex(cbExpSkinTypeDst->findData(static_cast<int>(*choice.destinationKind)));
    }
    const QSignalBlocker quietTextures(lbExpTexture);
    lbExpTexture->clear();
    if (!chosenMesh().empty()) {
        const PageLock locked(host());
        const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
        const SkinList textures = ExportTextureList({folders, GameSkinCatalogue()}, choice, source, tool);
        const QPixmap placeholder =
            host().missingPicture().scaled(kListPictureSize, kListPictureSize, Qt::KeepAspectRatio);
        const std::vector<QPixmap> pictures = ListPictures(
            TexturePictures(folders, GameSkinCatalogue(), textures.entries, kListPictureSize), placeholder);
        for (std::size_t i = 0; i < textures.entries.size(); ++i) {
            lbExpTexture->addItem(new QListWidgetItem(QIcon(pictures[i]), GameText(textures.entries[i])));
        }
        lbExpTexture->setCurrentRow(textures.selected);
    }
    lbExpTextureClick();
    cbExpMesh->setToolTip(cbExpMesh->currentText());
    ExportNames();
}

void TExportPage::lbExpTextureClick() {
    host().LoadSkinData();
    const std::string texture = chosenTexture();
    if (!texture.empty() && !chosenMesh().empty()) {
        lbExpTexture->setToolTip(GameText(texture));
        // The texture's own name may hold what no skin name may.
        const FilteredName name = FilterSkinName(ExportNameFromTexture(texture, sourceChoices().kind));
        PutBackFilteredName(*edtExpName, name.text);
        if (name.changed) TellSkinTool(dialogs(), NameNotAllowedText(), MsgKind::Error);
    }
    updatePreview();
    ExportNames();
}

void TExportPage::updatePreview() {
    const SkinChoices source = sourceChoices();
    SkinToolPreview preview;
    // Nothing is shown until both a character file and a texture are chosen.
    if (!chosenMesh().empty() && !chosenTexture().empty()) preview.dressed[kBodySlot] = {chosenMesh(), chosenTexture()};
    preview.skeleton = PreviewSkeletonFor(source.kind, source.age);
    preview.child = source.age != 0;
    host().ShowSkinToolPreview(preview);
}

void TExportPage::cbExpDestinationListChange() {
    if (onShow_) ExportNames();
}

void TExportPage::ExportNames() {
    lowCenter->hide();
    btnExportFile->setEnabled(false);
    SkinChoices destination = destinationChoices();
    const ExportFileNames names =
        corvane::ExportNames(destination, GameBytes(edtExpSeries->text()), GameBytes(edtExpName->text()), toolSettings());
    if (!edtExpSeries->text().isEmpty()) {
        const QSignalBlocker quiet(edtExpSeries);
        edtExpSeries->setText(GameText(names.series));
    }
    FitGenderList(*cbExpGenderDst, names.shown.genderItems, destination.gender);
    showLists(names.shown, cbExpGenderDst, cbExpAgeDst, cbExpBodySizeDst, cbExpSkinColorDst);
    edtExpName->setVisible(names.shown.name);
    lblExpName->setVisible(names.shown.name);
    if (chosenTexture().empty() || chosenMesh().empty()) return;
    ShowNewName(*lblDisplayName, *lblNewName, QString::fromStdString(LangStr(6134)), GameText(names.characterFile));
    ShowNewName(*lblDisplayName2, *lblNewName2, QString::fromStdString(LangStr(6135)), GameText(names.textureFile));
    host().lowCenterPanel().show();
    host().lowCenterPanel().raise();
    lowCenter->show();
    btnExportFile->setEnabled(true);
}

void TExportPage::edtExpSeriesChange() {
    if (group("grpExport")->isEnabled() && KeepSeriesDigits(*edtExpSeries)) ExportNames();
}

void TExportPage::edtExpNameChange() {
    if (!onShow_ || chosenTexture().empty() || chosenMesh().empty()) return;
    const FilteredName filtered = FilterSkinName(GameBytes(edtExpName->text()));
    if (filtered.changed) {
        PutBackFilteredName(*edtExpName, filtered.text);
        TellSkinTool(dialogs(), NameNotAllowedText(), MsgKind::Error);
        return;
    }
    ExportNames();
}

void TExportPage::btnExportFileClick() {
    const SkinExportRequest request{chosenMesh(), chosenTexture(), GameBytes(lblNewName->text()),
                                    GameBytes(lblNewName2->text())};
    ReportFailure(dialogs(), [&] {
        host().LoadSkinData();
        const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
        ExportSkin(request, folders, GameSkinCatalogue(),
                   ResolveCaseInsensitive(settings().GamePath, settings().SkinsFolder), dialogs());
    });
}

}  // namespace corvane
