#include "app/ui/TThinTrackbar.h"

namespace corvane {

TThinTrackbar::TThinTrackbar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setThumbLength(15);
}

void TThinTrackbar::setThumbLength(int length) {
    thumbLength_ = length;
    // The thumb runs along the channel, so its length is its width here.
    setStyleSheet(QStringLiteral("QSlider::groove:horizontal { height: 3px; background: #c0c0c0; }"
                                 "QSlider::handle:horizontal { width: %1px; margin: -7px 0; background: #e0e0e0;"
                                 " border: 1px solid #606060; }")
                      .arg(length / 2));
}

}  // namespace corvane
