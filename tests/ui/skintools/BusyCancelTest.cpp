// The busy window's Cancel button: offered only when a search can stop, and
// pressed by mouse, by Escape or by a click still waiting in the queue.

#include "app/Settings.h"
#include "app/ui/TfrmBusy.h"
#include "skintools/ScanControl.h"

#include "support/ui/DemoEditorTest.h"
#include "support/ui/QtTestApplication.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

class BusyCancelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        AppSettings() = Settings();
        owner.setGeometry(120, 80, 789, 538);
        owner.show();
    }
    void TearDown() override { AppSettings() = Settings(); }

    QWidget owner;
};

TEST_F(BusyCancelTest, CancelIsOfferedOnlyWhenAskedAndSitsBesideTheBar) {
    TfrmBusy busy(&owner);
    busy.setMaximum(10);
    EXPECT_TRUE(busy.btnCancel->isHidden());
    const int fullBar = busy.pbStatus->width();
    QTest::keyClick(&busy, Qt::Key_Escape);
    EXPECT_FALSE(busy.cancelled()) << "Escape presses no button that is not there";

    busy.offerCancel();
    EXPECT_FALSE(busy.btnCancel->isHidden());
    EXPECT_FALSE(busy.btnCancel->text().isEmpty());
    const QRect bar = busy.pbStatus->geometry();
    const QRect button = busy.btnCancel->geometry();
    EXPECT_LT(bar.width(), fullBar) << "the bar makes room";
    EXPECT_LT(bar.right(), button.left());
    EXPECT_TRUE(busy.rect().contains(button)) << "the button fits the window";
    EXPECT_LE(button.top(), bar.top());
    EXPECT_GE(button.bottom(), bar.bottom()) << "the button shares the bar's line";
    EXPECT_FALSE(busy.cancelled());

    busy.setBusyWidth(387);
    EXPECT_TRUE(busy.rect().contains(busy.btnCancel->geometry())) << "a narrower window keeps it inside";
    EXPECT_LT(busy.pbStatus->geometry().right(), busy.btnCancel->geometry().left());
}

TEST_F(BusyCancelTest, APressedCancelStopsTheScanFromThenOn) {
    struct Way {
        const char* name;
        std::function<void(TfrmBusy&)> press;
    };
    const Way ways[] = {
        {"mouse", [](TfrmBusy& busy) { QTest::mouseClick(busy.btnCancel, Qt::LeftButton); }},
        {"Escape", [](TfrmBusy& busy) { QTest::keyClick(&busy, Qt::Key_Escape); }},
        // A click the event loop has not handled yet is taken when the scan asks.
        {"queued click",
         [](TfrmBusy& busy) { QMetaObject::invokeMethod(busy.btnCancel, &QPushButton::click, Qt::QueuedConnection); }},
    };
    for (const Way& way : ways) {
        TfrmBusy busy(&owner);
        busy.offerCancel();
        const ScanControl control = CancellableScan(busy);
        EXPECT_FALSE(control.shouldStop()) << way.name;
        way.press(busy);
        EXPECT_TRUE(control.shouldStop()) << way.name;
        EXPECT_TRUE(control.shouldStop()) << way.name << ": the answer stays";
        EXPECT_FALSE(busy.btnCancel->isEnabled()) << way.name << ": pressed once is enough";
    }
}

class BusyCancelHostTest : public test::DemoEditorTest {};

TEST_F(BusyCancelHostTest, PagesAskForTheCancelButton) {
    const auto plain = window->ShowBusy("Copying");
    auto* plainWindow = dynamic_cast<TfrmBusy*>(plain.get());
    ASSERT_NE(plainWindow, nullptr);
    EXPECT_TRUE(plainWindow->btnCancel->isHidden());
    EXPECT_FALSE(plain->cancelled());

    const auto offered = window->ShowBusy("Searching", BusyCancel::Offered);
    auto* offeredWindow = dynamic_cast<TfrmBusy*>(offered.get());
    ASSERT_NE(offeredWindow, nullptr);
    EXPECT_FALSE(offeredWindow->btnCancel->isHidden());
    EXPECT_EQ(offeredWindow->lblStatus->text(), "Searching");
    offeredWindow->btnCancel->click();
    EXPECT_TRUE(offered->cancelled());
}

}  // namespace
}  // namespace corvane
