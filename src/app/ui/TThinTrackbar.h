#pragma once

#include <QSlider>

namespace corvane {

// The value slider of every edit page: horizontal, with a thin channel and a
// thumb whose length start-up sets.
class TThinTrackbar : public QSlider {
    Q_OBJECT

public:
    explicit TThinTrackbar(QWidget* parent = nullptr);

    void setThumbLength(int length);
    int thumbLength() const { return thumbLength_; }

private:
    int thumbLength_ = 0;
};

}  // namespace corvane
