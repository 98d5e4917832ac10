#include "app/ui/TfrmMain.h"

#include "app/Settings.h"
#include "app/ui/TfrmAbout.h"
#include "platform/GameWriteGuard.h"
#include "skins/SkinCatalogue.h"
#include "skins/ui/TSkinSelectPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace corvane {

namespace {

QRect rectOf(const Bounds& bounds) {
    return {bounds.left, bounds.top, bounds.width, bounds.height};
}

constexpr int kBarButtonTop = 14;
constexpr int kBarButtonHeight = 19;
constexpr int kBarButtonStep = 20;
constexpr int kBarGap = 6;

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

TfrmMain::TfrmMain(MainWindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    setObjectName("frmMain");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    createControls();
    documentSubscription_ = document_.subscribe([this](const DocumentChange& change) { documentChanged(change); });
}

TfrmMain::~TfrmMain() {
    // The pages go before the document they show.
    for (auto& [kind, page] : pages_) delete page;
    pages_.clear();
    // The catalogue lives as long as the window that holds it.
    DiscardSkinCatalogue(GameSkinCatalogue());
    if (!installationLock_) RefuseWritesBelow({});
}

void TfrmMain::createControls() {
    createHeader();
    createButtonBar();
    // The skin tools' pages put their new file names into it as they are made.
    pnlLowCenter = named(new QFrame(this), "pnlLowCenter");
    pnlLowCenter->setGeometry(200, 431, 391, 105);
    pnlLowCenter->hide();
    createPages();
    createPreviewAndButtons();
    createUndoKeys();
}

void TfrmMain::createUndoKeys() {
    // A line edit would take the keys for its own undo; on the pages they
    // undo the document's edits, typed numbers included.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) edit->installEventFilter(this);
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, this, &TfrmMain::Undo);
    for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        auto* redo = new QShortcut(keys, this);
        connect(redo, &QShortcut::activated, this, &TfrmMain::Redo);
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y)) {
            event->ignore();
            return true;  // not the line edit's: the window's shortcut takes it
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::Undo() {
    if (!pagesLocked()) stepThroughHistory([this] { return document_.undo(); });
}

void TfrmMain::Redo() {
    if (!pagesLocked()) stepThroughHistory([this] { return document_.redo(); });
}

void TfrmMain::documentChanged(const DocumentChange& change) {
    btnSave->setEnabled(document_.saveEnabled() && !GameIsReadOnly());
    if (change.kind == DocumentChange::Kind::Edited && change.namesChanged) {
        RefreshCharacterTexts();
    }
}

void TfrmMain::createHeader() {
    grpNGBD = named(new QGroupBox(this), "grpNGBD");
    grpNGBD->setGeometry(rectOf(kHeaderBounds));
    lblNeighborhood = named(new QLabel(grpNGBD), "lblNeighborhood");
    lblNeighborhood->setGeometry(8, 18, 110, 26);
    cbNeighborhood = named(new QComboBox(grpNGBD), "cbNeighborhood");
    cbNeighborhood->setGeometry(120, 17, 60, 26);
    connect(cbNeighborhood, &QComboBox::activated, this, [this] { cbNeighborhoodChange(); });
    cbUserName = named(new QComboBox(grpNGBD), "cbUserName");
    cbUserName->setGeometry(190, 17, 390, 26);
    cbUserName->setIconSize(QSize(25, 25));
    connect(cbUserName, &QComboBox::activated, this, [this](int index) {
        document_.select(index);
        cbUserNameChange();
    });
    btnSortUsers = named(new QPushButton(grpNGBD), "btnSortUsers");
    btnSortUsers->setGeometry(590, 17, 90, 26);
    connect(btnSortUsers, &QPushButton::clicked, this, &TfrmMain::btnSortUsersClick);
    btnDelSim = named(new QPushButton(grpNGBD), "btnDelSim");
    btnDelSim->setGeometry(688, 17, 90, 26);
    connect(btnDelSim, &QPushButton::clicked, this, &TfrmMain::btnDelSimClick);
}

void TfrmMain::createButtonBar() {
    grpSelect = named(new QGroupBox(this), "grpSelect");
    grpSelect->setGeometry(rectOf(kButtonBarBounds));
    // One button per page, top to bottom; a gap opens before the buttons that
    // start a new group (the skin pages, the skin tools, the housekeeping).
    int top = kBarButtonTop;
    for (const PageInfo& row : MainWindowPages()) {
        top += row.rules.gapBefore ? kBarGap : 0;
        auto* button = new QPushButton(grpSelect);
        button->setObjectName(QString::fromUtf8(row.button.data(), static_cast<qsizetype>(row.button.size())));
        button->setGeometry(10, top, 180, kBarButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, button] { ShowPage(button); });
        pageButtons_.emplace(std::string(row.button), button);
        top += kBarButtonStep;
    }
    connect(pageButton("btnAbout"), &QPushButton::clicked, this, [this] {
        LockPages();
        ShowPage(pageButton("btnAbout"));
        about_ = new TfrmAbout(pnlAbout);
        about_->show();
        UnlockPages();
    });
}

void TfrmMain::createPages() {
    // The skin pages connect to the panel they share as they are made.
    grpSelectSkins = new TSkinSelectPanel(this);
    grpSelectSkins->setGeometry(rectOf(kSkinListBounds));
    grpSelectSkins->hide();
    const PageServices services{document_, services_.dialogs, AppSettings(), *this};
    for (const PageInfo& row : MainWindowPages()) {
        EditorPage* page = row.create(services, row, this);
        pages_[row.kind] = page;
        connect(pageButton(row.button), &QPushButton::clicked, page, &EditorPage::showPage);
    }
    QGroupBox* neighbourhood = pageGroup("grpNeighborhood");
    ckOpenCurNBGD = named(new QCheckBox("Open game at current neighborhood:", neighbourhood), "ckOpenCurNBGD");
    ckOpenCurNBGD->setGeometry(10, 466, 18, 20);
    connect(ckOpenCurNBGD, &QCheckBox::clicked, this, &TfrmMain::ckOpenCurNBGDClick);
    named(new QLabel(neighbourhood), "lblOpenCurNBGD")->setGeometry(30, 466, 350, 20);
    createBlurCheckBoxes(neighbourhood);

    QGroupBox* missingSkins = pageGroup("grpMissingSkinSearch");
    ckChkChdFormals = named(new QCheckBox("Show Missing Children Formals", missingSkins), "ckChkChdFormals");
    ckChkChdFormals->setGeometry(10, 466, 18, 20);
    named(new QLabel(missingSkins), "lblFilterChildFormals")->setGeometry(30, 466, 350, 20);

    pnlAbout = named(new QFrame(pageGroup("grpAbout")), "pnlAbout");
    pnlAbout->setGeometry(4, 12, kFullPage.width - 8, kFullPage.height - 16);
}

void TfrmMain::createPreviewAndButtons() {
    pnl3DSim = named(new QFrame(this), "pnl3DSim");
    pnl3DSim->setGeometry(rectOf(kSmallPreview));
    img3DSim = named(new QLabel(pnl3DSim), "img3DSim");
    img3DSim->setAlignment(Qt::AlignCenter);
    img3DSim->setGeometry(0, 0, kSmallPreview.width, kSmallPreview.height);
    grpButtons = named(new QGroupBox(this), "grpButtons");
    grpButtons->setGeometry(rectOf(kSaveExitBounds));
    btnSave = named(new QPushButton(grpButtons), "btnSave");
    btnSave->setGeometry(8, 9, 88, 22);
    btnSave->setEnabled(false);
    connect(btnSave, &QPushButton::clicked, this, &TfrmMain::btnSaveClick);
    btnExit = named(new QPushButton(grpButtons), "btnExit");
    btnExit->setGeometry(104, 9, 88, 22);
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* TfrmMain::pageButton(std::string_view name) const {
    auto it = pageButtons_.find(name);
    return it == pageButtons_.end() ? nullptr : it->second;
}

QGroupBox* TfrmMain::pageGroup(std::string_view name) const {
    for (const auto& [kind, page] : pages_) {
        if (QGroupBox* box = page->group(name)) return box;
    }
    return nullptr;
}

EditorPage* TfrmMain::page(PageKind kind) const {
    auto it = pages_.find(kind);
    return it == pages_.end() ? nullptr : it->second;
}

}  // namespace corvane
