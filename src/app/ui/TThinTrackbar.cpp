#include "app/ui/TThinTrackbar.h"

namespace corvane {

namespace {
constexpr int kChannelHeight = 3;
}  // namespace

TThinTrackbar::TThinTrackbar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setThumbLength(15);
}

void TThinTrackbar::setThumbLength(int length) {
    thumbLength_ = length;
    // A trackbar's thumb length runs across the channel: on a horizontal bar it
    // is the thumb's height, the thumb about half as wide. The handle overhangs
    // the thin groove by negative margins to reach that height.
    const int overhang = (length - kChannelHeight) / 2;
    setStyleSheet(QStringLiteral("QSlider::groove:horizontal { height: %1px; background: #c0c0c0; }"
                                 "QSlider::handle:horizontal { width: %2px; margin: -%3px 0 -%4px 0;"
                                 " background: #e0e0e0; border: 1px solid #606060; }")
                      .arg(kChannelHeight)
                      .arg(length / 2 - 1)
                      .arg(overhang)
                      .arg(length - kChannelHeight - overhang));
}

}  // namespace corvane
