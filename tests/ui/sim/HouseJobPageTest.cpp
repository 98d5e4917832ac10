#include "sim/ui/THouseJobPage.h"
#include "sim/HouseJobEdits.h"

#include "app/Settings.h"
#include "app/ui/TThinTrackbar.h"
#include "app/ui/TfrmMain.h"
#include "demo/DemoInstallation.h"
#include "platform/LanguageModule.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/ui/DemoEditorTest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The demo neighbourhood at level 7: Victor (career 3), Elena, the children
// Tess and Jonah at school, the pets; the Marlows live in house 3, Iris Vale in 7.
class HouseJobPageTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
        page = static_cast<THouseJobPage*>(window->page(PageKind::HouseJob));
    }
    Sim& open(const std::string& fileName) { return DemoEditorTest::open(fileName, "btnHouseJob"); }

    THouseJobPage* page = nullptr;
};

TEST_F(HouseJobPageTest, AnAdultsCareerJobsCashAndFamily) {
    Sim& victor = open("User00001");
    EXPECT_EQ(page->cbCareer->count(), 21);
    EXPECT_EQ(page->cbCareer->currentIndex(), 3);
    EXPECT_EQ(page->cbJobs->itemText(0).toStdString(), LangStr(300));
    EXPECT_EQ(page->edtCash->text(), "24000");
    EXPECT_TRUE(page->edtCash->isEnabled());
    EXPECT_EQ(page->lblNetWorth->text().toStdString(), LangStr(6046) + " 85000 " + LangStr(6005));
    EXPECT_EQ(page->cbFamilies->itemText(0), "Marlow : 3");
    EXPECT_EQ(page->cbFamilies->count(), 2);
    EXPECT_FALSE(victor.Modified) << "showing the page stores nothing";

    page->cbCareer->setCurrentIndex(12);
    EXPECT_EQ(victor.Career, 13) << "index 12 is career 13";
    EXPECT_EQ(page->cbJobs->itemText(0).toStdString(), LangStr(1300));
    page->btnMaxJob->click();
    EXPECT_EQ(victor.JobLevel, 9);
    EXPECT_EQ(victor.JobPerformance, 100);
    EXPECT_TRUE(victor.Modified);
}

TEST_F(HouseJobPageTest, AChildGoesToSchool) {
    Sim& tess = open("User00003");
    EXPECT_EQ(page->cbCareer->count(), 1);
    EXPECT_EQ(page->cbJobs->itemText(0).toStdString(), LangStr(1100));
    page->btnMaxJob->click();
    EXPECT_EQ(tess.JobLevel, 0) << "a child's Maximize Job takes the first school title";
    EXPECT_EQ(tess.Career, 65535);
}

TEST_F(HouseJobPageTest, TypedCashIsFilteredAndSharedByTheHousehold) {
    Sim& elena = open("User00002");
    page->edtCash->clear();
    for (const char* typed : {"1", "12", "12a", "12a4"}) {
        page->edtCash->setText(typed);
        emit page->edtCash->textEdited(page->edtCash->text());
    }
    EXPECT_EQ(page->edtCash->text(), "1204");
    EXPECT_EQ(elena.FamilyCash, 1204);
    EXPECT_EQ(byId(1)->FamilyCash, 1204) << "every member of the house";
    EXPECT_EQ(byId(5)->FamilyCash, 9000) << "another house keeps its cash";
}

TEST_F(HouseJobPageTest, FameSlidersPullEachOtherAlong) {
    Sim& victor = open("User00001");
    page->trkFamePower->setValue(7);
    EXPECT_EQ(victor.FameStarPower, 7);
    EXPECT_EQ(victor.FameStarHighWatermark, 7) << "the watermark follows the power up";
    EXPECT_EQ(victor.FameScore, 1);
    EXPECT_EQ(page->lblFamePower->text().toStdString(), LangStr(6196) + " (3.5 Stars)");
    page->trkFameScore->setValue(0);
    EXPECT_EQ(victor.FameStarHighWatermark, 0);
    EXPECT_EQ(victor.FameStarPower, 0);
}

TEST_F(HouseJobPageTest, GhostsHauntTheirHouse) {
    Sim& iris = open("User00005");
    EXPECT_TRUE(page->rbGhostNo->isChecked());
    page->rbGhostYes->click();
    EXPECT_EQ(iris.Ghost, 1);
    EXPECT_EQ(iris.HauntAddress, 7) << "the family's house, even with the empty list at level 7";
    page->rbGhostNo->click();
    EXPECT_EQ(iris.Ghost, 0);
    EXPECT_EQ(iris.HauntAddress, 0);
}

TEST_F(HouseJobPageTest, MovingToAnotherHousehold) {
    Sim& iris = open("User00005");
    page->cbFamilies->setCurrentIndex(1);
    emit page->cbFamilies->activated(1);
    EXPECT_EQ(iris.LastName, "Marlow");
    EXPECT_EQ(iris.HouseNumber, 3);
    EXPECT_TRUE(iris.FamilyChanged);
    EXPECT_TRUE(iris.Modified);
    EXPECT_FALSE(page->edtCash->isEnabled());
    EXPECT_NE(window->cbUserName->findText("Marlow, Iris : User00005"), -1) << "the list shows the new name";
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Faults found when the page was tried as a new user would.
using HouseJobPageMends = HouseJobPageTest;

TEST_F(HouseJobPageMends, APetShowsItsOwnGhostStateAndCashAfterAGhost) {
    open("User00005");
    page->rbGhostYes->click();
    Sim& biscuit = open("User00006");
    EXPECT_EQ(biscuit.Ghost, 0);
    EXPECT_TRUE(page->rbGhostNo->isChecked()) << "not the ghost shown before";
    EXPECT_EQ(page->edtCash->text(), QString::number(biscuit.FamilyCash));
}

TEST_F(HouseJobPageMends, EachFamilyShowsItsOwnNetWorthEvenWithTheSameCash) {
    Sim& iris = select("User00005");
    iris.FamilyCash = 24000;  // as much as the Marlows
    open("User00001");
    open("User00005");
    EXPECT_EQ(page->lblNetWorth->text().toStdString(),
              LangStr(6046) + " " + std::to_string(24000 + iris.FamilyAssets) + " " + LangStr(6005));
}

// Without a neighbour entry the save could store no ghost state: the ghost
// controls take none; the family's cash, kept in the family record, still can be typed.
TEST_F(HouseJobPageMends, WithoutANeighbourEntryTheGhostControlsAreOff) {
    Sim& iris = select("User00005");
    iris.NeighborEntryPos = 0;
    window->pageButton("btnHouseJob")->click();
    EXPECT_FALSE(window->findChild<QGroupBox*>("grpGhost")->isEnabled());
    page->rbGhostYes->click();
    EXPECT_EQ(iris.Ghost, 0);
    EXPECT_TRUE(page->edtCash->isEnabled());
    open("User00001");
    EXPECT_TRUE(window->findChild<QGroupBox*>("grpGhost")->isEnabled()) << "the next character's are on again";
}

TEST_F(HouseJobPageMends, AChildWithoutCareerShowsTheNoCareerTitle) {
    Sim& tess = select("User00003");
    tess.Career = 0;
    window->pageButton("btnHouseJob")->click();
    ASSERT_EQ(page->cbJobs->count(), 1);
    EXPECT_EQ(page->cbJobs->itemText(0).toStdString(), LangStr(2200));
}

TEST_F(HouseJobPageMends, TheCashBoxTakesCharactersNotBytesAndStoresWhatItShows) {
    Sim& elena = open("User00002");
    struct Case {
        const char* typed;
        const char* shown;
        std::int32_t stored;
    };
    for (const Case& c : {Case{"1\u00a3", "10", 10}, Case{"9999999\u20ac", "99999990", 99999990}}) {
        page->edtCash->setText(QString::fromUtf8(c.typed));
        emit page->edtCash->textEdited(page->edtCash->text());
        EXPECT_EQ(page->edtCash->text(), c.shown) << c.typed;
        EXPECT_EQ(elena.FamilyCash, c.stored) << c.typed;
    }
}

TEST_F(HouseJobPageMends, AMovedFameSliderRewritesOnlyItsOwnLabel) {
    open("User00001");
    const QString power = page->lblFamePower->text();
    EXPECT_FALSE(power.contains(" (")) << "on display without the blank";
    page->trkFameScore->setValue(500);
    EXPECT_EQ(page->lblFameScore->text().toStdString(), LangStr(6195) + " (500)");
    EXPECT_EQ(page->lblFamePower->text(), power);
}

TEST_F(HouseJobPageMends, ClickingTheCheckedGhostRadioAgainChangesNothing) {
    Sim& victor = open("User00001");
    page->rbGhostYes->click();
    SetHauntAddress(window->document(), victor, 55);
    page->rbGhostYes->click();
    EXPECT_EQ(victor.HauntAddress, 55) << "the chosen house stays";
}

TEST_F(HouseJobPageMends, ChoosingTheOwnHouseholdAgainTakesTheMoveBack) {
    Sim& iris = open("User00005");
    page->cbFamilies->setCurrentIndex(1);
    emit page->cbFamilies->activated(1);
    ASSERT_EQ(iris.LastName, "Marlow");
    const int own = page->cbFamilies->findText("Vale : 7");
    ASSERT_NE(own, -1) << "the household she left is still offered";
    page->cbFamilies->setCurrentIndex(own);
    emit page->cbFamilies->activated(own);
    EXPECT_EQ(iris.LastName, "Vale");
    EXPECT_EQ(iris.HouseNumber, 7);
    EXPECT_FALSE(iris.FamilyChanged);
    EXPECT_NE(window->cbUserName->findText("Vale, Iris : User00005"), -1);
}

}  // namespace
}  // namespace corvane
