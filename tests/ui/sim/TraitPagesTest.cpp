#include "sim/ui/TTraitPage.h"

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
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The editor started on the demo neighbourhood: the Marlows, their dog
// Biscuit and cat Pepper, and Iris Vale.
class TraitPagesTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
    }
    // The page that holds a slider: Skills/Personality or Interests.
    TTraitPage* pageWith(std::string_view slider) const {
        for (PageKind kind : {PageKind::SkillsPersonality, PageKind::Interests}) {
            auto* page = static_cast<TTraitPage*>(window->page(kind));
            if (page->slider(slider) != nullptr) return page;
        }
        return nullptr;
    }
    std::string labelOf(const char* slider) const { return pageWith(slider)->label(slider)->text().toStdString(); }
    static std::string text(int id, int value) { return LangStr(id) + "(" + std::to_string(value) + ")"; }
    Sim& choose(const std::string& fileName) { return select(fileName); }

};

TEST_F(TraitPagesTest, ThePageShowsTheValuesWithoutTouchingTheRecord) {
    Sim& victor = choose("User00001");
    window->pageButton("btnSkillsPersonality")->click();
    EXPECT_TRUE(window->pageGroup("grpSkills")->isVisibleTo(window.get()));
    EXPECT_EQ(pageWith("trkNice")->slider("trkNice")->value(), 700);
    EXPECT_EQ(labelOf("trkNice"), text(6032, 700));
    EXPECT_EQ(labelOf("trkCleaning"), text(6008, 250));
    EXPECT_FALSE(victor.Modified) << "filling the page stores nothing";
    EXPECT_FALSE(window->btnSave->isEnabled());

    pageWith("trkNice")->label("trkNice")->setText("stale");
    window->page(PageKind::SkillsPersonality)->showPage();
    EXPECT_EQ(labelOf("trkNice"), text(6032, 700)) << "equal values still refresh the label";
}

// Without a neighbour entry the values could be stored nowhere: the pages
// that keep them say so and take no change; the next character is editable again.
TEST_F(TraitPagesTest, ACharacterWithoutNeighbourEntryCannotBeChangedAndIsToldWhy) {
    Sim& iris = choose("User00005");
    iris.NeighborEntryPos = 0;
    struct Case {
        const char* button;
        const char* group;
    };
    const Case cases[] = {{"btnSkillsPersonality", "grpSkills"},
                          {"btnSkillsPersonality", "grpPersonality"},
                          {"btnInterests", "grpInterests"},
                          {"btnRelationships", "grpRelationships"},
                          {"btnHouseJob", "grpJob"}};
    for (const Case& c : cases) {
        window->pageButton(c.button)->click();
        QGroupBox* group = window->pageGroup(c.group);
        auto* notice = group->findChild<QLabel*>("lblNoNeighbourEntry");
        ASSERT_NE(notice, nullptr) << c.group;
        EXPECT_TRUE(notice->isVisibleTo(group)) << c.group;
        EXPECT_EQ(notice->text().toStdString(), LangStr(7192)) << c.group;
        for (QWidget* control : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control != notice) {
                EXPECT_FALSE(control->isEnabled()) << c.group << " " << control->objectName().toStdString();
            }
        }
    }
    EXPECT_FALSE(iris.Modified);

    choose("User00001");
    window->pageButton("btnSkillsPersonality")->click();
    EXPECT_FALSE(window->pageGroup("grpSkills")->findChild<QLabel*>("lblNoNeighbourEntry")->isVisibleTo(window.get()));
    EXPECT_TRUE(pageWith("trkNeat")->panel("trkNeat")->isEnabled());
}

TEST_F(TraitPagesTest, ASliderStoresOnlyWhileItsGroupIsEnabled) {
    Sim& victor = choose("User00001");
    window->pageButton("btnSkillsPersonality")->click();
    window->LockPages();
    pageWith("trkNeat")->slider("trkNeat")->setValue(123);
    EXPECT_EQ(victor.Neat, 900);
    EXPECT_FALSE(victor.Modified);
    window->UnlockPages();
    pageWith("trkNeat")->slider("trkNeat")->setValue(321);
    EXPECT_EQ(victor.Neat, 321);
    EXPECT_EQ(labelOf("trkNeat"), text(6030, 321));
    EXPECT_TRUE(victor.Modified);
    EXPECT_TRUE(window->btnSave->isEnabled());
}

// An unlock inside a locked operation must not let handlers store while the
// outer operation still fills the page.
TEST_F(TraitPagesTest, LocksNestAndOnlyTheOutermostUnlockUnlocks) {
    Sim& victor = choose("User00001");
    window->pageButton("btnSkillsPersonality")->click();
    window->LockPages();
    window->LockPages();
    window->UnlockPages();
    pageWith("trkNeat")->slider("trkNeat")->setValue(123);
    EXPECT_EQ(victor.Neat, 900);
    window->UnlockPages();
    pageWith("trkNeat")->slider("trkNeat")->setValue(321);
    EXPECT_EQ(victor.Neat, 321);
}

TEST_F(TraitPagesTest, MaxAllOnValuesAlreadyAtTheTopMarksNothing) {
    Sim& victor = choose("User00001");
    window->pageButton("btnSkillsPersonality")->click();
    window->findChild<QPushButton*>("btnMaxPersonality")->click();
    ASSERT_TRUE(victor.Modified);
    dialogs.answer(mrYes);
    window->btnSave->click();
    ASSERT_FALSE(victor.Modified);
    window->findChild<QPushButton*>("btnMaxPersonality")->click();
    EXPECT_FALSE(victor.Modified);
    EXPECT_FALSE(window->btnSave->isEnabled());
}

TEST_F(TraitPagesTest, PetsHaveTheirOwnLabelsAndHiddenSkillsThatMaxAllStillSets) {
    Sim& biscuit = choose("User00006");
    window->pageButton("btnSkillsPersonality")->click();
    EXPECT_EQ(labelOf("trkCooking"), text(6097, biscuit.Cooking));
    EXPECT_EQ(labelOf("trkNice"), text(6096, biscuit.Nice));
    for (const char* hidden : {"trkBody", "trkLogic", "trkCreativity", "trkCleaning"}) {
        EXPECT_TRUE(pageWith(hidden)->panel(hidden)->isHidden()) << hidden;
    }
    EXPECT_EQ(pageWith("trkBody")->panel("trkBody")->objectName(), "pnlTrkBody");
    window->findChild<QPushButton*>("btnMaxSkills")->click();
    EXPECT_EQ(biscuit.Body, 1000);
    EXPECT_EQ(biscuit.Cleaning, 1000) << "the hidden sliders are set too";
    EXPECT_EQ(biscuit.Cooking, 1000);
    EXPECT_EQ(labelOf("trkBody"), "Furniture/Probably Hunting (1000)");

    choose("User00007");  // the page on show fills itself for the new character
    EXPECT_EQ(labelOf("trkCooking"), text(6098, window->document().current()->Cooking)) << "a cat's cooking";
}

TEST_F(TraitPagesTest, ChildrenKeepTheirMissingInterestsThroughMaxAndRandom) {
    Sim& tess = choose("User00003");
    window->pageButton("btnInterests")->click();
    EXPECT_EQ(labelOf("trkTravel"), text(6086, tess.Travel)) << "the child text";
    EXPECT_TRUE(pageWith("trkRomance")->panel("trkRomance")->isHidden());
    const int exercise = tess.Exercise;
    window->findChild<QPushButton*>("btnMaxInterests")->click();
    EXPECT_EQ(tess.Music, 1000);
    EXPECT_EQ(tess.Travel, 1000);
    EXPECT_EQ(labelOf("trkTravel"), text(6086, 1000)) << "the child label stays";
    for (int round = 0; round < 20; ++round) {
        window->findChild<QPushButton*>("btnRandomInterests")->click();
        EXPECT_LE(tess.Sports, 998);
        EXPECT_LE(tess.Weather, 998);
    }
    EXPECT_EQ(tess.Exercise, exercise);
    EXPECT_EQ(tess.Romance, 0);
}

TEST_F(TraitPagesTest, RandomStaysBelow999ForEveryTrait) {
    Sim& elena = choose("User00002");
    window->pageButton("btnSkillsPersonality")->click();
    for (int round = 0; round < 50; ++round) {
        window->findChild<QPushButton*>("btnRandomPersonality")->click();
        window->findChild<QPushButton*>("btnRandomSkills")->click();
        for (int value : {elena.Nice, elena.Neat, elena.Active, elena.Cooking, elena.Logic, elena.Body}) {
            ASSERT_GE(value, 0);
            ASSERT_LE(value, 998);
        }
    }
}

}  // namespace
}  // namespace corvane
