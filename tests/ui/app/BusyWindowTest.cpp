#include "app/Settings.h"
#include "app/ui/TfrmBusy.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace corvane {
namespace {

// Distinct colours, so that swapping background and text shows.
constexpr std::uint32_t kRedBgr = 0x0000FF;
constexpr std::uint32_t kGreenBgr = 0x00FF00;

class BusyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        AppSettings() = Settings();
        AppSettings().BackColor = kGreenBgr;
        AppSettings().FontColor = kRedBgr;
        AppSettings().UIFontName = "DejaVu Sans";
        AppSettings().UIFontSize = 11;
        owner.setGeometry(120, 80, 789, 538);
    }
    void TearDown() override { AppSettings() = Settings(); }

    // The busy window's centre lies on its owner's, give or take the rounding of odd sizes.
    static void expectCentredOn(const QWidget& busy, const QWidget& owner) {
        const QPoint offset = busy.geometry().center() - owner.mapToGlobal(owner.rect().center());
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    }

    QWidget owner;
};

TEST_F(BusyWindowTest, OpensSmallCentredAndEmptyInTheInverseColours) {
    TfrmBusy busy(&owner);
    EXPECT_EQ(busy.size(), QSize(418, 66));
    EXPECT_TRUE(busy.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(busy.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    expectCentredOn(busy, owner);

    EXPECT_TRUE(busy.lblWarn->isHidden());
    EXPECT_TRUE(busy.lblStatus->isHidden());
    EXPECT_TRUE(busy.pbStatus->isHidden());
    EXPECT_EQ(busy.pbStatus->minimum(), 0);
    EXPECT_EQ(busy.pbStatus->maximum(), 100);
    EXPECT_TRUE(busy.lblWarn->wordWrap());
    EXPECT_EQ(busy.lblStatus->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(busy.lblWarn->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    for (const QWidget* label : {static_cast<QWidget*>(busy.lblStatus), static_cast<QWidget*>(busy.lblWarn)}) {
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::red)) << "background is the text colour";
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::green)) << "text is the background colour";
        EXPECT_EQ(label->font().family(), "DejaVu Sans");
        EXPECT_EQ(label->font().pointSize(), 11);
    }
}

TEST_F(BusyWindowTest, EachProgressCallShowsItsWidgetAndRepaintsAtOnce) {
    TfrmBusy busy(&owner);
    Progress& progress = busy;
    struct Step {
        const char* call;
        std::function<void()> run;
        QWidget* shown;
    };
    const Step steps[] = {
        {"showStatus", [&] { progress.showStatus("Reading archives"); }, busy.lblStatus},
        {"showWarning", [&] { progress.showWarning("Two skins share a name"); }, busy.lblWarn},
        {"setMaximum", [&] { progress.setMaximum(40); }, busy.pbStatus},
        {"setPosition", [&] { progress.setPosition(25); }, busy.pbStatus},
    };
    std::vector<QWidget*> hidden{busy.lblStatus, busy.lblWarn, busy.pbStatus};
    for (const Step& step : steps) {
        // A repaint is an event in the queue: one posted before the call must have been handled by its end.
        bool pumped = false;
        QMetaObject::invokeMethod(&busy, [&] { pumped = true; }, Qt::QueuedConnection);
        step.run();
        EXPECT_TRUE(pumped) << step.call;
        std::erase(hidden, step.shown);
        EXPECT_FALSE(step.shown->isHidden()) << step.call;
        for (QWidget* other : hidden) {
            EXPECT_TRUE(other->isHidden()) << step.call << " showed " << other->objectName().toStdString();
        }
    }
    EXPECT_EQ(busy.lblStatus->text(), "Reading archives");
    EXPECT_EQ(busy.lblWarn->text(), "Two skins share a name");
    EXPECT_EQ(busy.pbStatus->maximum(), 40);
    EXPECT_EQ(busy.pbStatus->value(), 25);
}

TEST_F(BusyWindowTest, TakesThePageWidthAndStaysCentred) {
    TfrmBusy busy(&owner);
    busy.setBusyWidth(387);
    EXPECT_EQ(busy.size(), QSize(387, 66));
    expectCentredOn(busy, owner);
    EXPECT_LE(busy.pbStatus->geometry().right(), busy.rect().right()) << "the bar fits the narrower window";
    EXPECT_LE(busy.lblStatus->geometry().right(), busy.rect().right());
}

}  // namespace
}  // namespace corvane
