#pragma once

#include <QLabel>

namespace corvane {

// A picture that tells when the mouse moves onto it and off it, for hover effects.
class TACImage : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void mouseEnter();
    void mouseExit();

protected:
    void enterEvent(QEnterEvent* event) override {
        QLabel::enterEvent(event);
        emit mouseEnter();
    }
    void leaveEvent(QEvent* event) override {
        QLabel::leaveEvent(event);
        emit mouseExit();
    }
};

}  // namespace corvane
