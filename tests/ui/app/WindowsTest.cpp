#include "app/Settings.h"
#include "app/ui/Artwork.h"
#include "app/ui/TACButton.h"
#include "app/ui/TACLabel.h"
#include "app/ui/TfrmAbout.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/TfrmLanguage.h"
#include "app/ui/TThinTrackbar.h"
#include "platform/LanguageModule.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QApplication& app() {
    return test::QtTestApplication();
}

// What a timer does when its time is up, without waiting for it.
void fire(QTimer* timer) {
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        AppSettings() = Settings();
        SetLanguageModule(LanguageModule::parse(
            "6158\tCorvane 3D\n6159\tCharacter Editor\n6050\tVersion info\n6048\tAbout text\n"
            "9000\t3\n9001\tFirst\n9002\tSecond\n9003\tThird\n",
            "t.lng"));
        panel.resize(383, 476);
    }
    void TearDown() override {
        SetLanguageModule(LanguageModule());
        AppSettings() = Settings();
    }
    static void click(QWidget* widget, QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &press);
    }
    QApplication& application = app();  // before any widget of the fixture
    QWidget panel;
};

TEST_F(WindowsTest, BusyWindowShowsOnlyWhatItsCallerAsksFor) {
    QWidget owner;
    owner.resize(789, 538);
    TfrmBusy busy(&owner);
    EXPECT_EQ(busy.size(), QSize(418, 66));
    EXPECT_TRUE(busy.lblWarn->isHidden());
    EXPECT_TRUE(busy.lblStatus->isHidden());
    EXPECT_TRUE(busy.pbStatus->isHidden());
    EXPECT_EQ(busy.palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF)) << "the window's text colour";
    EXPECT_EQ(busy.palette().color(QPalette::WindowText), QColor(0, 0x40, 0x80)) << "the window's background";

    Progress& progress = busy;
    progress.showStatus("Reading archives");
    progress.setMaximum(40);
    progress.setPosition(10);
    EXPECT_FALSE(busy.lblStatus->isHidden());
    EXPECT_EQ(busy.lblStatus->text(), "Reading archives");
    EXPECT_TRUE(busy.lblWarn->isHidden());
    EXPECT_FALSE(busy.pbStatus->isHidden());
    EXPECT_EQ(busy.pbStatus->maximum(), 40);
    EXPECT_EQ(busy.pbStatus->value(), 10);
    busy.setBusyWidth(387);
    EXPECT_EQ(busy.width(), 387);
}

TEST_F(WindowsTest, AboutShowsTheProgramAndTheCreditsOfTheTable) {
    TfrmAbout about(&panel, [](const QString&) {});
    EXPECT_EQ(about.geometry(), panel.rect());
    EXPECT_TRUE(about.lblCaption->text().startsWith("Corvane 3D - Character Editor 0."));
    EXPECT_EQ(about.lblVersionInfo->text(), "Version info");
    EXPECT_EQ(about.creditLines(), (QStringList{"First", "Second", "Third"}));
    const QRect bevel = about.bvScrolling->geometry();
    EXPECT_EQ(about.creditsArea().topLeft(), bevel.topLeft() + QPoint(8, 2));
    EXPECT_EQ(about.creditsArea().right(), bevel.width() - 8);

    SetLanguageModule(LanguageModule::parse("9000\tmany\n9001\tFirst\n", "t.lng"));
    TfrmAbout noNumber(&panel, [](const QString&) {});
    EXPECT_TRUE(noNumber.creditLines().isEmpty()) << "a count that is no number gives no lines";
}

TEST_F(WindowsTest, CreditsScrollLineByLineAndWrapAround) {
    TfrmAbout about(&panel, [](const QString&) {});
    const int line = about.lineHeight();
    ASSERT_GT(line, 1);
    auto tick = [&](int times) {
        for (int i = 0; i < times; ++i) {
            fire(about.scrollTimer());
        }
    };
    tick(1);
    EXPECT_EQ(about.scrollOffset(), 1);
    EXPECT_EQ(about.firstVisibleLine(), 0);
    tick(line - 1);
    EXPECT_EQ(about.scrollOffset(), 0);
    EXPECT_EQ(about.firstVisibleLine(), 1) << "a whole line scrolled: the next line leads";
    tick(2 * line);
    EXPECT_EQ(about.firstVisibleLine(), 0) << "after the last line the first comes again";
}

TEST_F(WindowsTest, CreditsStartWithTheSlowTimerAndAClickPausesThem) {
    TfrmAbout about(&panel, [](const QString&) {});
    EXPECT_FALSE(about.scrollTimer()->isActive()) << "the scrolling waits for the 4-second timer";
    EXPECT_TRUE(about.resumeTimer()->isActive());
    EXPECT_EQ(about.resumeTimer()->interval(), 4000);
    EXPECT_EQ(about.scrollTimer()->interval(), 50);
    fire(about.resumeTimer());
    EXPECT_TRUE(about.scrollTimer()->isActive());

    click(&about, about.bvScrolling->geometry().center());
    EXPECT_FALSE(about.scrollTimer()->isActive()) << "a click pauses";
    fire(about.resumeTimer());
    EXPECT_TRUE(about.scrollTimer()->isActive()) << "the next 4-second tick resumes";
    click(&about, about.bvScrolling->geometry().center());
    click(&about, about.bvScrolling->geometry().center());
    EXPECT_TRUE(about.scrollTimer()->isActive()) << "a second click starts again";
}

TEST_F(WindowsTest, WebLinkLightsUpAndOpensTheAddress) {
    QString opened;
    TfrmAbout about(&panel, [&](const QString& address) { opened = address; });
    const QColor grey(0x75, 0x75, 0x75);
    EXPECT_EQ(about.lblGoWeb->palette().color(QPalette::WindowText), grey);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(about.lblGoWeb, &enter);
    EXPECT_EQ(about.lblGoWeb->palette().color(QPalette::WindowText), QColor(0, 0xFF, 0xFF));
    EXPECT_EQ(about.lblGoWeb->cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(about.lblGoWeb, &leave);
    EXPECT_EQ(about.lblGoWeb->palette().color(QPalette::WindowText), grey);

    click(&about, about.lblGoWeb->geometry().center());
    EXPECT_EQ(opened, kProductWebAddress);
    EXPECT_FALSE(about.scrollTimer()->isActive()) << "a click on the link is no pause";
}

TEST_F(WindowsTest, LanguageDialogOffersTheGamesLanguages) {
    TfrmLanguage dialog;
    EXPECT_EQ(dialog.windowTitle(), "Choose Language");
    ASSERT_EQ(dialog.lbLanguages->count(), 16);
    EXPECT_EQ(dialog.lbLanguages->item(5)->text(), "Spanian");
    EXPECT_EQ(dialog.lbLanguages->currentRow(), 0);
    dialog.lbLanguages->setCurrentRow(8);
    dialog.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(dialog.SelectedLanguage, "Finnish");

    TfrmLanguage closed;
    closed.reject();
    EXPECT_EQ(closed.SelectedLanguage, "USEnglish") << "closing the window keeps the preselected language";
}

TEST_F(WindowsTest, HoverWidgetsTellEnterAndExit) {
    TACButton button("x");
    int entered = 0;
    int left = 0;
    QObject::connect(&button, &TACButton::mouseEnter, [&] { ++entered; });
    QObject::connect(&button, &TACButton::mouseExit, [&] { ++left; });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    TThinTrackbar trackbar;
    trackbar.setThumbLength(15);
    EXPECT_EQ(trackbar.thumbLength(), 15);
    EXPECT_EQ(trackbar.orientation(), Qt::Horizontal);
}

TEST_F(WindowsTest, ArtworkHasItsFixedLayoutOnMagenta) {
    const QRgb magenta = qRgb(255, 0, 255);
    QImage hearts = ArtworkHearts();
    ASSERT_EQ(hearts.size(), QSize(100, 25));
    QImage jobs = ArtworkJobs();
    ASSERT_EQ(jobs.size(), QSize(28 * 22, 22));
    EXPECT_EQ(ArtworkMissingPicture().size(), QSize(25, 25));
    EXPECT_EQ(ArtworkLogoSmall().size(), QSize(189, 189));
    EXPECT_EQ(ArtworkLogoLarge().size(), QSize(390, 390));
    EXPECT_EQ(ArtworkByName("IMGJOBS"), jobs);
    EXPECT_TRUE(ArtworkByName("IMGNOTHING").isNull());

    for (int x = 0; x < 25; ++x) {
        for (int y = 0; y < 25; ++y) {
            ASSERT_EQ(hearts.pixel(x, y), magenta) << "the first heart cell is empty";
        }
    }
    for (int cell = 1; cell < 4; ++cell) {
        EXPECT_NE(hearts.pixel(cell * 25 + 12, 12), magenta) << "heart cell " << cell;
    }
    std::vector<QImage> icons;
    for (int i = 0; i < 22; ++i) {
        icons.push_back(jobs.copy(i * 28, 0, 28, 22));
        EXPECT_EQ(icons.back().pixel(0, 0), magenta) << "icon " << i;
        EXPECT_NE(icons.back().pixel(14, 11), magenta) << "icon " << i;
    }
    for (std::size_t a = 0; a < icons.size(); ++a) {
        for (std::size_t b = a + 1; b < icons.size(); ++b) {
            EXPECT_NE(icons[a], icons[b]) << a << " and " << b;
        }
    }
    QImage mask = WithMagentaTransparent(hearts).toImage();
    EXPECT_EQ(qAlpha(mask.pixel(3, 3)), 0);
    EXPECT_EQ(qAlpha(mask.pixel(2 * 25 + 12, 12)), 255);
}

}  // namespace
}  // namespace corvane
