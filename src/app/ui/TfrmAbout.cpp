#include "app/ui/TfrmAbout.h"

#include "app/Settings.h"
#include "app/VersionText.h"
#include "app/ui/TACLabel.h"
#include "app/ui/WindowLook.h"
#include "platform/LanguageModule.h"
#include "platform/ui/QtDialogs.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>

#include <charconv>

namespace corvane {

namespace {

constexpr int kScrollInterval = 50;
constexpr int kResumeInterval = 4000;
constexpr std::uint32_t kLinkColour = 0x757575;
constexpr std::uint32_t kLinkHoverColour = 0xFFFF00;

QStringList readCredits() {
    const std::string countText = LangStr(9000);
    int count = 0;
    auto [end, ec] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (ec != std::errc() || end != countText.data() + countText.size() || count < 0) {
        count = 0;
    }
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        lines << QString::fromStdString(LangStr(9000 + i));
    }
    return lines;
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QRect& bounds) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* panel, UrlOpener openUrl)
    : QWidget(panel), credits_(readCredits()), openUrl_(std::move(openUrl)) {
    setObjectName("frmAbout");
    if (!openUrl_) {
        openUrl_ = [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); };
    }
    setGeometry(panel->rect());
    const Settings& settings = AppSettings();
    SetWindowLook(this, settings.BackColor, settings.FontColor, settings.UIFontSize);
    createLabels();

    scrollTimer_ = new QTimer(this);
    scrollTimer_->setInterval(kScrollInterval);
    connect(scrollTimer_, &QTimer::timeout, this, &TfrmAbout::scrollOnePixel);
    resumeTimer_ = new QTimer(this);
    resumeTimer_->setInterval(kResumeInterval);
    connect(resumeTimer_, &QTimer::timeout, scrollTimer_, qOverload<>(&QTimer::start));
    resumeTimer_->start();
}

void TfrmAbout::createLabels() {
    const int w = width();
    lblCaption = addLabel(this, "lblCaption",
                          QString::fromStdString(LangStr(6158) + " - " + LangStr(6159) + " " + GetVersionText()),
                          QRect(8, 12, w - 16, 20));
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(font().pointSize() + 2);
    lblCaption->setFont(bold);
    lblVersionInfo = addLabel(this, "lblVersionInfo", QString::fromStdString(LangStr(6050)), QRect(8, 40, w - 16, 18));
    lblAbout = addLabel(this, "lblAbout", QString::fromStdString(LangStr(6048)), QRect(16, 64, w - 32, 96));
    lblAbout->setWordWrap(true);

    lblGoWeb = new TACLabel(kProductWebAddress, this);
    lblGoWeb->setObjectName("lblGoWeb");
    lblGoWeb->setGeometry(8, 166, w - 16, 18);
    lblGoWeb->setAlignment(Qt::AlignCenter);
    setLinkColour(kLinkColour);
    connect(lblGoWeb, &TACLabel::mouseEnter, this, [this] {
        setLinkColour(kLinkHoverColour);
        lblGoWeb->setCursor(Qt::PointingHandCursor);
    });
    connect(lblGoWeb, &TACLabel::mouseExit, this, [this] {
        setLinkColour(kLinkColour);
        lblGoWeb->unsetCursor();
    });

    bvScrolling = new QFrame(this);
    bvScrolling->setObjectName("bvScrolling");
    bvScrolling->setFrameShape(QFrame::Box);
    bvScrolling->setFrameShadow(QFrame::Sunken);
    bvScrolling->setGeometry(20, 196, w - 40, height() - 212);
    bvScrolling->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TfrmAbout::setLinkColour(std::uint32_t bgr) {
    QPalette colours = lblGoWeb->palette();
    colours.setColor(QPalette::WindowText, ColorFromBgr(bgr));
    lblGoWeb->setPalette(colours);
}

int TfrmAbout::lineHeight() const {
    return std::max(1, fontMetrics().boundingRect("Ay").height());
}

QRect TfrmAbout::creditsArea() const {
    const QRect bevel = bvScrolling->geometry();
    return QRect(QPoint(bevel.left() + 8, bevel.top() + 2), QPoint(bevel.width() - 8, bevel.bottom() - 2));
}

void TfrmAbout::scrollOnePixel() {
    if (credits_.isEmpty()) {
        return;
    }
    if (++offset_ >= lineHeight()) {
        offset_ = 0;
        firstLine_ = (firstLine_ + 1) % static_cast<int>(credits_.size());
    }
    update(creditsArea());
}

void TfrmAbout::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (credits_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const QRect area = creditsArea();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::WindowText));
    const int height = lineHeight();
    const int count = static_cast<int>(credits_.size());
    for (int row = 0; row * height - offset_ < area.height(); ++row) {
        const QString& line = credits_[(firstLine_ + row) % count];
        painter.drawText(QRect(area.left(), area.top() + row * height - offset_, area.width(), height),
                         Qt::AlignHCenter | Qt::AlignTop, line);
    }
}

void TfrmAbout::mousePressEvent(QMouseEvent* event) {
    if (lblGoWeb->geometry().contains(event->position().toPoint())) {
        openUrl_(QString(kProductWebAddress));
        return;
    }
    scrollTimer_->isActive() ? scrollTimer_->stop() : scrollTimer_->start();
}

}  // namespace corvane
