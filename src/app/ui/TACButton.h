#pragma once

#include <QPushButton>

namespace corvane {

// A button that tells when the mouse moves onto it and off it, for hover effects.
class TACButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

signals:
    void mouseEnter();
    void mouseExit();

protected:
    void enterEvent(QEnterEvent* event) override {
        QPushButton::enterEvent(event);
        emit mouseEnter();
    }
    void leaveEvent(QEvent* event) override {
        QPushButton::leaveEvent(event);
        emit mouseExit();
    }
};

}  // namespace corvane
