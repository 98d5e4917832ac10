#include "app/ui/TfrmBusy.h"

#include "app/Settings.h"
#include "app/ui/WindowLook.h"
#include "platform/StyledMessageDlg.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace corvane {

namespace {
constexpr int kMargin = 6;
constexpr int kBarHeight = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 22;
}  // namespace

TfrmBusy::TfrmBusy(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
                                      owner_(owner) {
    setObjectName("frmBusy");
    const Settings& settings = AppSettings();
    SetWindowLook(this, settings.FontColor, settings.BackColor, settings.UIFontSize);

    lblWarn = new QLabel(this);
    lblWarn->setObjectName("lblWarn");
    lblWarn->setAlignment(Qt::AlignCenter);
    lblWarn->setWordWrap(true);
    lblWarn->hide();
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setAlignment(Qt::AlignCenter);
    lblStatus->hide();
    pbStatus = new QProgressBar(this);
    pbStatus->setObjectName("pbStatus");
    pbStatus->setRange(0, 100);
    pbStatus->setTextVisible(false);
    pbStatus->hide();
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->hide();
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        // Pressed once is enough: the work stops at the next file.
        btnCancel->setEnabled(false);
    });

    resize(kWidth, kHeight);
    layOut();
    centreOnOwner();
    show();
    repaintNow();
}

void TfrmBusy::layOut() {
    const int inner = width() - 2 * kMargin;
    const int barTop = height() - kMargin - kBarHeight;
    lblWarn->setGeometry(kMargin, kMargin, inner, barTop - 2 * kMargin - 14);
    lblStatus->setGeometry(kMargin, barTop - kMargin - 14, inner, 14);
    // The button shares the bar's line, its middle level with the bar's.
    const int barWidth = btnCancel->isHidden() ? inner : inner - kButtonWidth - kMargin;
    pbStatus->setGeometry(kMargin, barTop, barWidth, kBarHeight);
    btnCancel->setGeometry(width() - kMargin - kButtonWidth, barTop - (kButtonHeight - kBarHeight) / 2, kButtonWidth,
                           kButtonHeight);
}

void TfrmBusy::centreOnOwner() {
    if (owner_ == nullptr) {
        return;
    }
    QPoint ownerCentre = owner_->mapToGlobal(owner_->rect().center());
    move(ownerCentre - QPoint(width() / 2, height() / 2));
}

void TfrmBusy::repaintNow() {
    QCoreApplication::processEvents();
}

void TfrmBusy::showStatus(const std::string& text) {
    lblStatus->setText(QString::fromStdString(text));
    lblStatus->show();
    repaintNow();
}

void TfrmBusy::showWarning(const std::string& text) {
    lblWarn->setText(QString::fromStdString(text));
    lblWarn->show();
    repaintNow();
}

void TfrmBusy::setMaximum(int maximum) {
    pbStatus->setMaximum(maximum);
    pbStatus->show();
    repaintNow();
}

void TfrmBusy::setPosition(int position) {
    pbStatus->setValue(position);
    repaintNow();
}

bool TfrmBusy::cancelled() {
    QCoreApplication::processEvents();
    return cancelled_;
}

void TfrmBusy::offerCancel() {
    const std::string caption = ButtonCaption(mrCancel);
    if (!caption.empty()) btnCancel->setText(QString::fromStdString(caption));
    btnCancel->show();
    layOut();
    repaintNow();
}

void TfrmBusy::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && btnCancel->isVisibleTo(this) && btnCancel->isEnabled()) {
        btnCancel->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfrmBusy::setBusyWidth(int width) {
    resize(width, height());
    layOut();
    centreOnOwner();
}

void TfrmBusy::setBusyHeight(int height) {
    resize(width(), height);
    layOut();
    centreOnOwner();
}

}  // namespace corvane
