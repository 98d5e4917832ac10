#pragma once

#include "platform/ProductWebAddress.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QTimer;

namespace corvane {

class TACLabel;

// The about page's window: the program's name and version, a few words, the
// web address, and credits that scroll up endlessly inside a frame. A 4-second
// timer (re)starts the scrolling; a click pauses it until then.
class TfrmAbout : public QWidget {
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QString&)>;

    // Fills `panel`. `openUrl` opens the web address (the desktop's browser by default).
    explicit TfrmAbout(QWidget* panel, UrlOpener openUrl = {});

    QTimer* scrollTimer() const { return scrollTimer_; }
    QTimer* resumeTimer() const { return resumeTimer_; }
    int firstVisibleLine() const { return firstLine_; }
    int scrollOffset() const { return offset_; }
    int lineHeight() const;
    const QStringList& creditLines() const { return credits_; }
    // The area the credits are drawn into.
    QRect creditsArea() const;

    QLabel* lblCaption = nullptr;
    QLabel* lblVersionInfo = nullptr;
    QLabel* lblAbout = nullptr;
    TACLabel* lblGoWeb = nullptr;
    QFrame* bvScrolling = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void createLabels();
    void scrollOnePixel();
    void setLinkColour(std::uint32_t bgr);

    QStringList credits_;
    QTimer* scrollTimer_ = nullptr;
    QTimer* resumeTimer_ = nullptr;
    UrlOpener openUrl_;
    int firstLine_ = 0;
    int offset_ = 0;
};

}  // namespace corvane
