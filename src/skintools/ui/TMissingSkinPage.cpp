#include "skintools/ui/TMissingSkinPage.h"

#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "skins/SkinCatalogue.h"
#include "skintools/InstalledSkinIndex.h"
#include "skintools/MissingSkinReport.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/ui/SkinToolControls.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

namespace corvane {

namespace {

constexpr MessageId kSearchingMissingSkins{7107};
constexpr MessageId kNoMissingSkins{7108};
constexpr int kColumnTitles[] = {6129, 6130, 6131, 6132};
constexpr int kColumnWidths[] = {0, 140, 140, 75};

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

TMissingSkinPage::TMissingSkinPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpMissingSkinSearch"));
}

void TMissingSkinPage::createControls(QGroupBox* box) {
    sgMissingSkins = new QTableWidget(box);
    sgMissingSkins->setObjectName("sgMissingSkins");
    sgMissingSkins->setGeometry(8, 16, 375, 404);
    sgMissingSkins->verticalHeader()->hide();
    sgMissingSkins->verticalHeader()->setDefaultSectionSize(20);
    sgMissingSkins->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgMissingSkins->setSelectionMode(QAbstractItemView::SingleSelection);
    sgMissingSkins->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resetGrid();

    popMissingSkins = new QMenu(sgMissingSkins);
    popMissingSkins->setObjectName("popMissingSkins");
    mnuCopySkinName = popMissingSkins->addAction("Copy Skin Name");
    mnuCopySkinName->setObjectName("mnuCopySkinName");
    connect(mnuCopySkinName, &QAction::triggered, this, &TMissingSkinPage::mnuCopySkinNameClick);
    // A right click first makes the row under the mouse the current one.
    sgMissingSkins->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sgMissingSkins, &QWidget::customContextMenuRequested, popMissingSkins, [this](const QPoint& position) {
        const int row = sgMissingSkins->rowAt(position.y());
        if (row >= 0) sgMissingSkins->selectRow(row);
        popMissingSkins->popup(sgMissingSkins->viewport()->mapToGlobal(position));
    });

    btnSearchAgain = new QPushButton("Search Again", box);
    btnSearchAgain->setObjectName("btnSearchAgain");
    btnSearchAgain->setGeometry(8, 428, 150, 26);
    connect(btnSearchAgain, &QPushButton::clicked, this, &TMissingSkinPage::btnSearchAgainClick);
    btnMissingSkinsSaveFile = new QPushButton("Save Missing Skin List ", box);
    btnMissingSkinsSaveFile->setObjectName("btnMissingSkinsSaveFile");
    btnMissingSkinsSaveFile->setGeometry(200, 428, 183, 26);
    connect(btnMissingSkinsSaveFile, &QPushButton::clicked, this, &TMissingSkinPage::btnMissingSkinsSaveFileClick);
}

void TMissingSkinPage::resetGrid() {
    rows_.clear();
    sgMissingSkins->clear();
    sgMissingSkins->setColumnCount(4);
    QStringList titles;
    for (int id : kColumnTitles) titles << QString::fromStdString(LangStr(id));
    sgMissingSkins->setHorizontalHeaderLabels(titles);
    for (int column = 0; column < 4; ++column) sgMissingSkins->setColumnWidth(column, kColumnWidths[column]);
    // The row numbers are for the report: the grid keeps them out of sight.
    sgMissingSkins->setColumnHidden(0, true);
    sgMissingSkins->setRowCount(1);
}

bool TMissingSkinPage::childrenFormals() const {
    const auto* box = group("grpMissingSkinSearch")->findChild<QCheckBox*>("ckChkChdFormals");
    return box != nullptr && box->isChecked();
}

void TMissingSkinPage::btnMissingSkinSearchClick() {
    const PageLock locked(host());
    resetGrid();
    ReportFailure(dialogs(), [this] { search(); });
}

void TMissingSkinPage::btnSearchAgainClick() {
    DiscardSkinCatalogue(GameSkinCatalogue());
    btnMissingSkinSearchClick();
}

void TMissingSkinPage::search() {
    if (!LoadCatalogueForSearch(host(), dialogs())) return;
    MissingSkinResult result;
    SkippedFiles skipped;
    {
        const auto busy = host().ShowBusy(LangStr(kSearchingMissingSkins), BusyCancel::Offered);
        FitBusyToPage(*busy, *group("grpMissingSkinSearch"));
        const InstalledSkinIndex installed(SkinFolders(settings().GamePath, settings().ExpansionLevel),
                                           GameSkinCatalogue());
        const std::vector<Sim*> characters = document().sims();
        result = SearchMissingSkins(characters, installed, {settings().ExpansionLevel, childrenFormals()},
                                    CancellableScan(*busy));
        skipped = installed.skipped();
    }
    for (const MissingSkinRow& row : result.rows) addMissingRow(row);
    TellSkippedFiles(dialogs(), skipped);
    // A stopped search shows what it found; it cannot say that nothing is missing.
    if (rows_.empty() && !result.stopped) {
        StyledMessageDlg(dialogs(), LangStr(5022), LangStr(kNoMissingSkins), MsgKind::None, 0, mrOk, mbOK);
    }
}

void TMissingSkinPage::addMissingRow(const MissingSkinRow& row) {
    rows_.push_back(row);
    const int at = sgMissingSkins->rowCount();
    sgMissingSkins->setRowCount(at + 1);
    sgMissingSkins->setItem(at, 0, cell(QString::number(row.number)));
    sgMissingSkins->setItem(at, 1, cell(GameText(row.character)));
    sgMissingSkins->setItem(at, 2, cell(GameText(row.skinName)));
    sgMissingSkins->setItem(at, 3, cell(QString::fromStdString(row.field)));
    sgMissingSkins->selectRow(at);
}

void TMissingSkinPage::mnuCopySkinNameClick() {
    const int row = sgMissingSkins->currentRow();
    if (row < 0) return;
    const QTableWidgetItem* skin = sgMissingSkins->item(row, 2);
    QGuiApplication::clipboard()->setText(skin != nullptr ? skin->text() : QString());
}

void TMissingSkinPage::btnMissingSkinsSaveFileClick() {
    const PageLock locked(host());
    FileRequest request;
    request.filter = kMissingSkinReportFilter;
    request.fileName = ProposedReportName(host().neighbourhoodShown());
    int filter = 0;
    request.chosenFilter = &filter;
    const std::optional<std::filesystem::path> chosen = dialogs().chooseSaveFile(request);
    if (!chosen) return;
    // The chosen filter says the format, whatever extension was typed.
    const MissingSkinReportFormat format = ReportFormatOfFilter(filter);
    const std::filesystem::path file = WithReportExtension(*chosen, format);
    ReportFailure(dialogs(), [&] {
        WriteMissingSkinReport(file, rows_, format, CodePageForLanguage(settings().LanguageNumber), ReportDateText());
    });
}

}  // namespace corvane
