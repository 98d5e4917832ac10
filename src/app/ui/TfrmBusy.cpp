#include "app/ui/TfrmBusy.h"

#include "app/Settings.h"
#include "app/ui/WindowLook.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace corvane {

namespace {
constexpr int kMargin = 6;
constexpr int kBarHeight = 16;
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
    pbStatus->setGeometry(kMargin, barTop, inner, kBarHeight);
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
