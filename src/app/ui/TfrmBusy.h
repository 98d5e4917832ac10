#pragma once

#include "platform/Progress.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace corvane {

// The small window a long operation shows: borderless, on top, centred on its
// owner, in the inverse of the main window's colours. Callers show the label
// they need and the bar with its maximum; a search the user may stop offers
// the Cancel button beside the bar.
class TfrmBusy : public QWidget, public CancellableProgress {
    Q_OBJECT

public:
    explicit TfrmBusy(QWidget* owner);

    static constexpr int kWidth = 418;
    static constexpr int kHeight = 66;

    void showStatus(const std::string& text) override;
    void showWarning(const std::string& text) override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    // Handles the clicks waiting in the queue, then says whether Cancel was pressed.
    bool cancelled() override;

    // Shows the Cancel button (Escape presses it too).
    void offerCancel();

    // Callers make it as wide as the neighbourhood page less 4 pixels.
    void setBusyWidth(int width);
    void setBusyHeight(int height);

    QLabel* lblWarn = nullptr;
    QLabel* lblStatus = nullptr;
    QProgressBar* pbStatus = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();
    void centreOnOwner();
    void repaintNow();

    QWidget* owner_;
    bool cancelled_ = false;
};

}  // namespace corvane
