#include "app/Settings.h"
#include "app/VersionText.h"
#include "app/ui/TACLabel.h"
#include "app/ui/TfrmAbout.h"
#include "platform/LanguageModule.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

const char* const kTable =
    "6158\tCorvane 3D\n6159\tCharacter Editor\n6050\tVersion info\n6048\tAbout text\n"
    "9000\t3\n9001\tFirst\n9002\tSecond\n9003\tThird\n";

// What a timer does when its time is up, without waiting for it.
void fire(QTimer* timer, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    }
}

// A left click delivered as the window system would: to the widget under the mouse,
// passed on to its parents while nobody takes it.
void click(QWidget* widget) {
    const QPointF at = QRectF(widget->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        AppSettings() = Settings();
        useTable(kTable);
        pnlAbout.resize(383, 476);
    }
    void TearDown() override {
        SetLanguageModule(LanguageModule());
        AppSettings() = Settings();
    }
    static void useTable(const std::string& table) { SetLanguageModule(LanguageModule::parse(table, "t.lng")); }

    QString opened;
    TfrmAbout::UrlOpener recordOpened = [this](const QString& address) { opened = address; };
    QWidget pnlAbout;
};

TEST_F(AboutWindowTest, FillsItsPanelWithTheProgramsTexts) {
    TfrmAbout about(&pnlAbout, recordOpened);
    EXPECT_EQ(about.parentWidget(), &pnlAbout);
    EXPECT_EQ(about.geometry(), pnlAbout.rect());
    EXPECT_FALSE(about.isWindow());
    EXPECT_EQ(about.lblCaption->text().toStdString(), "Corvane 3D - Character Editor " + GetVersionText());
    EXPECT_EQ(about.lblVersionInfo->text(), "Version info");
    EXPECT_EQ(about.lblAbout->text(), "About text");
    EXPECT_TRUE(about.lblAbout->wordWrap());
    EXPECT_EQ(about.lblGoWeb->text(), "https://corvane3d.github.io/");
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(0, 0x40, 0x80)) << "the settings' background";
    EXPECT_EQ(about.palette().color(QPalette::WindowText), QColor(Qt::white)) << "the settings' text colour";

    const QRect bevel = about.bvScrolling->geometry();
    const QRect area = about.creditsArea();
    EXPECT_EQ(area.topLeft(), bevel.topLeft() + QPoint(8, 2));
    EXPECT_EQ(area.right(), bevel.width() - 8) << "measured from the window's edge, not the bevel's";
    EXPECT_EQ(area.bottom(), bevel.top() + bevel.height() - 3);
}

TEST_F(AboutWindowTest, CreditsAreAsManyLinesAsTheTableCounts) {
    struct Case {
        const char* count;
        QStringList lines;
    };
    const Case cases[] = {
        {"3", {"First", "Second", "Third"}},
        {"2", {"First", "Second"}},
        {"0", {}},
        {"many", {}},
        {"3 lines", {}},
        {"-1", {}},
    };
    for (const Case& c : cases) {
        useTable(std::string("9000\t") + c.count + "\n9001\tFirst\n9002\tSecond\n9003\tThird\n");
        TfrmAbout about(&pnlAbout, recordOpened);
        EXPECT_EQ(about.creditLines(), c.lines) << "count " << c.count;
        fire(about.scrollTimer(), 40);  // scrolling nothing must not fail
    }
    useTable("9001\tFirst\n");
    EXPECT_TRUE(TfrmAbout(&pnlAbout, recordOpened).creditLines().isEmpty()) << "no count at all";
}

TEST_F(AboutWindowTest, CreditsScrollAPixelATickAndRepeatEndlessly) {
    TfrmAbout about(&pnlAbout, recordOpened);
    const int line = about.lineHeight();
    ASSERT_EQ(line, QFontMetrics(about.font()).boundingRect("Ay").height());
    ASSERT_GT(line, 2);

    for (int tick = 1; tick < line; ++tick) {
        fire(about.scrollTimer());
        ASSERT_EQ(about.scrollOffset(), tick);
        ASSERT_EQ(about.firstVisibleLine(), 0);
    }
    fire(about.scrollTimer());
    EXPECT_EQ(about.scrollOffset(), 0);
    EXPECT_EQ(about.firstVisibleLine(), 1) << "a whole line scrolled: the next line leads";
    fire(about.scrollTimer(), line);
    EXPECT_EQ(about.firstVisibleLine(), 2);
    fire(about.scrollTimer(), line);
    EXPECT_EQ(about.firstVisibleLine(), 0) << "after the last line the first comes again";
    fire(about.scrollTimer(), 3 * line + 1);
    EXPECT_EQ(about.firstVisibleLine(), 0) << "and again after a second round";
    EXPECT_EQ(about.scrollOffset(), 1);
}

TEST_F(AboutWindowTest, TheSlowTimerStartsTheCreditsAndAClickPausesThemUntilItsNextTick) {
    TfrmAbout about(&pnlAbout, recordOpened);
    QTimer* scroll = about.scrollTimer();
    QTimer* resume = about.resumeTimer();
    EXPECT_EQ(scroll->interval(), 50);
    EXPECT_EQ(resume->interval(), 4000);
    EXPECT_FALSE(scroll->isActive()) << "the credits wait for the first 4-second tick";
    EXPECT_TRUE(resume->isActive());

    fire(resume);
    EXPECT_TRUE(scroll->isActive());
    click(about.lblCaption);  // anywhere on the window
    EXPECT_FALSE(scroll->isActive()) << "a click pauses";
    click(&about);
    EXPECT_TRUE(scroll->isActive()) << "a second click goes on";
    click(&about);
    fire(resume);
    EXPECT_TRUE(scroll->isActive()) << "the next 4-second tick ends the pause";
    fire(resume);
    EXPECT_TRUE(resume->isActive()) << "the 4-second timer never stops";
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(AboutWindowTest, WebLinkLightsUpUnderTheMouseAndOpensTheAddress) {
    TfrmAbout about(&pnlAbout, recordOpened);
    TACLabel* link = about.lblGoWeb;
    const QColor grey(0x75, 0x75, 0x75);
    const QColor cyan(0, 0xFF, 0xFF);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), grey);

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(link, &enter);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), cyan);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), grey);
    EXPECT_NE(link->cursor().shape(), Qt::PointingHandCursor);

    fire(about.resumeTimer());
    click(link);
    EXPECT_EQ(opened, "https://corvane3d.github.io/");
    EXPECT_TRUE(about.scrollTimer()->isActive()) << "following the link does not pause the credits";
}

// Whether a pixel shows some of the credits' green text on the black background.
bool isText(QRgb pixel) {
    return qGreen(pixel) > qRed(pixel) + 60 && qGreen(pixel) > qBlue(pixel) + 60;
}

TEST_F(AboutWindowTest, CreditsAreDrawnOnlyInsideTheirArea) {
    AppSettings().BackColor = 0x000000;
    AppSettings().FontColor = 0x00FF00;
    useTable("9000\t1\n9001\t" + std::string(120, 'W') + "\n");
    TfrmAbout about(&pnlAbout, recordOpened);
    for (QLabel* label : about.findChildren<QLabel*>()) {
        label->hide();  // their texts share the credits' colour
    }
    // Half scrolled out: the upper part of the line lies above the area.
    fire(about.scrollTimer(), about.lineHeight() - 3);
    const QImage image = about.grab().toImage();
    const QRect area = about.creditsArea();

    int inside = 0;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isText(image.pixel(x, y))) {
                ++(area.contains(x, y) ? inside : outside);
            }
        }
    }
    EXPECT_GT(inside, 0) << "the credits are drawn";
    EXPECT_EQ(outside, 0) << "nothing spills out of the area";
}

}  // namespace
}  // namespace corvane
