#include "app/ui/TACButton.h"
#include "app/ui/TACImage.h"
#include "app/ui/TACLabel.h"
#include "app/ui/TThinTrackbar.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QEnterEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

template <typename Widget>
class HoverWidgetTest : public ::testing::Test {
protected:
    void SetUp() override { test::QtTestApplication(); }
};

using HoverWidgets = ::testing::Types<TACButton, TACLabel, TACImage>;
TYPED_TEST_SUITE(HoverWidgetTest, HoverWidgets);

TYPED_TEST(HoverWidgetTest, TellsWhenTheMouseMovesOnAndOff) {
    TypeParam widget;
    std::string heard;
    QObject::connect(&widget, &TypeParam::mouseEnter, [&] { heard += "enter "; });
    QObject::connect(&widget, &TypeParam::mouseExit, [&] { heard += "exit "; });

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &enter);
    QCoreApplication::sendEvent(&widget, &leave);
    QCoreApplication::sendEvent(&widget, &enter);
    EXPECT_EQ(heard, "enter exit enter ");
}

// The handle's bounds as the slider's style lays them out.
class TrackbarProbe : public TThinTrackbar {
public:
    QRect handle() {
        ensurePolished();
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    }
    QRect groove() {
        ensurePolished();
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    }
};

class ThinTrackbarTest : public ::testing::Test {
protected:
    void SetUp() override { test::QtTestApplication(); }
};

TEST_F(ThinTrackbarTest, HorizontalWithAThinChannelAndAThumbAsLongAsSet) {
    TrackbarProbe trackbar;
    trackbar.resize(150, 26);
    EXPECT_EQ(trackbar.orientation(), Qt::Horizontal);
    EXPECT_EQ(trackbar.thumbLength(), 15);

    for (int length : {15, 20, 9}) {
        trackbar.setThumbLength(length);
        EXPECT_EQ(trackbar.thumbLength(), length);
        const QRect handle = trackbar.handle();
        EXPECT_EQ(handle.height(), length) << "the thumb's length runs across the channel";
        EXPECT_LT(handle.width(), handle.height()) << length;
        EXPECT_LT(trackbar.groove().height(), 6) << "a thin channel";
    }
}

}  // namespace
}  // namespace corvane
