#pragma once

#include "app/ui/TfrmBusy.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

namespace corvane::test {

// Presses the busy window's Cancel, as the user would, the first time the
// window shows a status that starts with `status`: the search runs on and
// only the event loop it turns between files sees the click.
class BusyCancelPress {
public:
    explicit BusyCancelPress(QString status) : status_(std::move(status)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { pressWhenShown(); });
        timer_.start();
    }

    bool pressed() const { return pressed_; }

private:
    void pressWhenShown() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* busy = qobject_cast<TfrmBusy*>(window);
            if (busy == nullptr || !busy->isVisible() || !busy->btnCancel->isVisible()) continue;
            if (!busy->lblStatus->text().startsWith(status_)) continue;
            timer_.stop();
            pressed_ = true;
            QTest::mouseClick(busy->btnCancel, Qt::LeftButton);
            return;
        }
    }

    QString status_;
    QTimer timer_;
    bool pressed_ = false;
};

// The widths the busy window had whenever the event loop turned while it
// showed a status that starts with `status`.
class BusyWidthsSeen {
public:
    explicit BusyWidthsSeen(QString status) : status_(std::move(status)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* busy = qobject_cast<TfrmBusy*>(window);
                if (busy != nullptr && busy->isVisible() && busy->lblStatus->text().startsWith(status_)) {
                    widths_.push_back(busy->width());
                }
            }
        });
        timer_.start();
    }

    const std::vector<int>& widths() const { return widths_; }

private:
    QString status_;
    QTimer timer_;
    std::vector<int> widths_;
};

}  // namespace corvane::test
