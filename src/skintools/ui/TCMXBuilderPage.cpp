#include "skintools/ui/TCMXBuilderPage.h"

#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "platform/AppFolder.h"
#include "platform/AsciiText.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "skins/SkinCatalogue.h"
#include "skintools/CmxBuilderSave.h"
#include "skintools/SkinSeries.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/ui/SkinToolControls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMeshFilter = "SKN Files (*.skn)|*.SKN";

}  // namespace

TCMXBuilderPage::TCMXBuilderPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpCMXBuilder"));
}

void TCMXBuilderPage::createControls(QGroupBox* box) {
    cbCMXSkinType = CreateChoiceList(box, "cbCMXSkinType", 16);
    cbCMXGender = CreateChoiceList(box, "cbCMXGender", 42);
    cbCMXAge = CreateChoiceList(box, "cbCMXAge", 68);
    cbCMXBodySize = CreateChoiceList(box, "cbCMXBodySize", 94);
    cbCMXHand = CreateChoiceList(box, "cbCMXHand", 68);
    cbCMXHandType = CreateChoiceList(box, "cbCMXHandType", 94);
    edtCMXSeries = CreateLabelledField(box, lblCMXSeries, "lblCMXSeries", "Series #:", "edtCMXSeries", 122, 62);
    edtCMXSeries->setText("000");
    edtCMXSeries->setMaxLength(3);
    edtCMXName = CreateLabelledField(box, lblCMXName, "lblCMXName", "Name:", "edtCMXName", 150, 50);
    edtCMXName->setText("Name");
    memCMXBldr = new QPlainTextEdit(box);
    memCMXBldr->setObjectName("memCMXBldr");
    memCMXBldr->setGeometry(8, 180, 184, 180);
    memCMXBldr->setLineWrapMode(QPlainTextEdit::NoWrap);
    btnAddCmxSkn = new QPushButton("Add *.skn Files", box);
    btnAddCmxSkn->setObjectName("btnAddCmxSkn");
    btnAddCmxSkn->setGeometry(8, 366, 184, 26);
    btnClearCmxSkn = new QPushButton("Clear *.skn Files", box);
    btnClearCmxSkn->setObjectName("btnClearCmxSkn");
    btnClearCmxSkn->setGeometry(8, 396, 184, 26);
    btnSaveCMX = new QPushButton("Save *.cmx File", box);
    btnSaveCMX->setObjectName("btnSaveCMX");
    btnSaveCMX->setGeometry(8, 426, 184, 30);

    for (QComboBox* list : {cbCMXSkinType, cbCMXGender, cbCMXAge, cbCMXBodySize, cbCMXHand, cbCMXHandType}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            if (onShow_) btnCMXBuilderClick();
        });
    }
    connect(btnAddCmxSkn, &QPushButton::clicked, this, &TCMXBuilderPage::btnAddCmxSknClick);
    connect(btnClearCmxSkn, &QPushButton::clicked, this, &TCMXBuilderPage::btnClearCmxSknClick);
    connect(btnSaveCMX, &QPushButton::clicked, this, &TCMXBuilderPage::btnSaveCMXClick);
    connect(edtCMXName, &QLineEdit::textEdited, this, &TCMXBuilderPage::edtCMXNameChange);
    connect(edtCMXSeries, &QLineEdit::textEdited, this, &TCMXBuilderPage::edtCMXSeriesChange);
    connect(edtCMXSeries, &QLineEdit::editingFinished, this, &TCMXBuilderPage::edtCMXSeriesExit);
}

void TCMXBuilderPage::fillLists() {
    FillKindList(*cbCMXSkinType, BuilderSkinKinds(), SkinKind::Body);
    FillChoiceList(*cbCMXGender, GenderItems(2), 0);
    FillChoiceList(*cbCMXAge, AgeItems(), 0);
    FillChoiceList(*cbCMXBodySize, BodySizeItems(host().switches().teens), 1);
    FillChoiceList(*cbCMXHand, HandItems(), 0);
    FillChoiceList(*cbCMXHandType, HandTypeItems(), 0);
}

void TCMXBuilderPage::showPage() {
    btnCMXBuilderClick();
}

void TCMXBuilderPage::leavePage() {
    onShow_ = false;
}

void TCMXBuilderPage::btnCMXBuilderClick() {
    host().LoadSkinData();
    if (!onShow_) fillLists();
    onShow_ = true;
    SkinChoices chosen;
    chosen.kind = SelectedKind(*cbCMXSkinType, SkinKind::Body);
    chosen.gender = SelectedPosition(*cbCMXGender);
    chosen.age = SelectedPosition(*cbCMXAge);
    chosen.bodySize = SelectedPosition(*cbCMXBodySize);
    chosen.hand = SelectedPosition(*cbCMXHand);
    chosen.handType = SelectedPosition(*cbCMXHandType);
    const BuilderSuitName suit = CmxSuitName(chosen, GameBytes(edtCMXSeries->text()), GameBytes(edtCMXName->text()),
                                             host().switches().teens);
    if (!edtCMXSeries->text().isEmpty()) {
        const QSignalBlocker quiet(edtCMXSeries);
        edtCMXSeries->setText(GameText(suit.series));
    }
    FitGenderList(*cbCMXGender, suit.shown.genderItems, chosen.gender);
    cbCMXGender->setVisible(suit.shown.gender);
    cbCMXAge->setVisible(suit.shown.age);
    cbCMXBodySize->setVisible(suit.shown.bodySize);
    cbCMXHand->setVisible(suit.shown.hands);
    cbCMXHandType->setVisible(suit.shown.hands);
    lblCMXSeries->setVisible(suit.shown.series);
    edtCMXSeries->setVisible(suit.shown.series);
    QString text;
    for (const std::string& line : CmxBuilderLines(suit.suitName, meshes)) text += GameText(line) + "\n";
    text.chop(1);
    memCMXBldr->setPlainText(text);
    btnSaveCMX->setEnabled(!meshes.empty());
    updatePreview(chosen);
}

void TCMXBuilderPage::updatePreview(const SkinChoices& chosen) {
    SkinToolPreview preview;
    for (const SKNRecordDetails& mesh : meshes) preview.builderMeshes.push_back(fs::path(mesh.Folder) / (mesh.MeshName + ".skn"));
    preview.skeleton = PreviewSkeletonFor(chosen.kind, chosen.age);
    preview.child = chosen.age != 0;
    host().ShowSkinToolPreview(preview);
}

void TCMXBuilderPage::addMesh(const fs::path& file) {
    host().LoadSkinData();
    ReportFailure(dialogs(), [&] { meshes.push_back(ReadSknRecord(file)); });
}

void TCMXBuilderPage::btnAddCmxSknClick() {
    host().LoadSkinData();
    if (const auto chosen = dialogs().chooseOpenFile({LangStr(5022), kMeshFilter, {}, {}})) addMesh(*chosen);
    btnCMXBuilderClick();
}

void TCMXBuilderPage::fileDropped(const fs::path& file) {
    std::error_code unreadable;
    if (ToLowerAscii(file.extension().string()) != ".skn" || !fs::is_regular_file(file, unreadable)) return;
    addMesh(file);
    btnCMXBuilderClick();
}

void TCMXBuilderPage::btnClearCmxSknClick() {
    meshes.clear();
    btnCMXBuilderClick();
}

void TCMXBuilderPage::edtCMXNameChange() {
    const FilteredName filtered = FilterSkinName(GameBytes(edtCMXName->text()));
    if (filtered.changed) {
        PutBackFilteredName(*edtCMXName, filtered.text);
        TellSkinTool(dialogs(), NameNotAllowedText(), MsgKind::Error);
        return;
    }
    btnCMXBuilderClick();
}

void TCMXBuilderPage::edtCMXSeriesChange() {
    if (group("grpCMXBuilder")->isEnabled() && KeepSeriesDigits(*edtCMXSeries)) btnCMXBuilderClick();
}

void TCMXBuilderPage::edtCMXSeriesExit() {
    if (edtCMXSeries->text().isEmpty()) {
        const QSignalBlocker quiet(edtCMXSeries);
        edtCMXSeries->setText("000");
    }
    if (onShow_) btnCMXBuilderClick();
}

void TCMXBuilderPage::btnSaveCMXClick() {
    host().LoadSkinData();
    std::vector<std::string> lines;
    for (const QString& line : memCMXBldr->toPlainText().split('\n')) lines.push_back(GameBytes(line));
    ReportFailure(dialogs(), [&] {
        const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
        // The folder dialog starts where the last save went, at first in the skins folder.
        const fs::path suggested = saveFolder_.empty()
                                       ? ResolveCaseInsensitive(settings().GamePath, settings().SkinsFolder)
                                       : saveFolder_;
        SaveBuiltCharacterFile(
            lines, meshes, ApplicationFolder(), suggested,
            [this](const fs::path& start) {
                auto chosen = dialogs().chooseFolder({LangStr(5022), start});
                if (chosen) saveFolder_ = *chosen;
                return chosen;
            },
            folders, GameSkinCatalogue(), dialogs());
    });
}

}  // namespace corvane
