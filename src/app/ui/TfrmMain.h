#pragma once

#include <QWidget>

namespace corvane {

// The editor's one main window: a fixed client area of 789 × 538, centred on
// the screen, with a system menu and a minimise button only.
class TfrmMain : public QWidget {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 789;
    static constexpr int kClientHeight = 538;
};

}  // namespace corvane
