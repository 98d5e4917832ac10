#include "sim/ui/TRelationshipCombo.h"
#include "sim/ui/TRelationshipsPage.h"

#include "app/Settings.h"
#include "app/ui/TThinTrackbar.h"
#include "app/ui/TfrmMain.h"
#include "demo/DemoInstallation.h"
#include "platform/LanguageModule.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/ui/DemoEditorTest.h"

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The demo neighbourhood: Victor (1), Elena (2), Tess (3) and Jonah (4) Marlow
// and Iris Vale (5) all know each other; the pets know nobody.
class RelationshipsPageTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
        page = static_cast<TRelationshipsPage*>(window->page(PageKind::Relationships));
    }
    Sim& open(const std::string& fileName) { return DemoEditorTest::open(fileName, "btnRelationships"); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }

    TRelationshipsPage* page = nullptr;
};

TEST_F(RelationshipsPageTest, ShowsBothSidesOfTheFirstRelationship) {
    Sim& victor = open("User00001");
    ASSERT_EQ(page->cbRelationShips->count(), 4);
    EXPECT_EQ(page->cbRelationShips->itemText(0), "Elena Marlow");
    EXPECT_EQ(page->trkRelation->value(), 80);
    EXPECT_EQ(page->trkLifetime->value(), 60);
    EXPECT_EQ(page->trkRelation2->value(), 80) << "Elena's feelings back";
    EXPECT_FALSE(page->ckCrush->isHidden()) << "two adults at level 7";
    EXPECT_EQ(page->lblSimLike->text().toStdString(), LangStr(6193) + " Victor " + LangStr(6194) + " Elena");
    EXPECT_FALSE(victor.Modified);
    EXPECT_TRUE(window->pageGroup("grpRelationships")->isEnabled());
}

TEST_F(RelationshipsPageTest, SideTwoEditsMarkTheOtherCharacter) {
    Sim& victor = open("User00001");
    page->trkRelation2->setValue(-40);
    Sim* elena = byId(2);
    EXPECT_EQ(elena->relationshipTo(1)->Daily, -40);
    EXPECT_TRUE(elena->Modified);
    EXPECT_FALSE(victor.Modified);
    page->trkLifetime->setValue(55);
    EXPECT_EQ(victor.relationshipTo(2)->Lifetime, 55);
    EXPECT_TRUE(victor.Modified);
    EXPECT_TRUE(window->btnSave->isEnabled());
}

TEST_F(RelationshipsPageTest, AChildHasNoCrushOrLoveButMaxBothSetsThemAnyway) {
    Sim& tess = open("User00003");
    EXPECT_TRUE(page->ckCrush->isHidden());
    EXPECT_TRUE(page->ckLove2->isHidden());
    button("btnMaxBothRelationships")->click();
    SimRelationShip& toVictor = *tess.relationshipTo(1);
    SimRelationShip* ofVictor = byId(1)->relationshipTo(3);
    ASSERT_NE(tess.relationshipTo(1), nullptr);
    EXPECT_EQ(toVictor.Daily, 100);
    EXPECT_EQ(toVictor.Lifetime, 100);
    EXPECT_EQ(toVictor.Crush, 1);
    EXPECT_EQ(toVictor.Love, 1);
    EXPECT_EQ(ofVictor->Love, 1);
    EXPECT_EQ(ofVictor->Daily, 100);
}

TEST_F(RelationshipsPageTest, SetAllForTheCharacterAndTheNeighbourhood) {
    Sim& iris = open("User00005");
    page->trkSetAll->setValue(-30);
    dialogs.answer(mrCancel);
    button("btnSetAllDailySim")->click();
    EXPECT_EQ(iris.relationshipTo(1)->Daily, 35) << "Cancel changes nothing";
    dialogs.answer(mrOk);
    button("btnSetAllDailySim")->click();
    for (std::int32_t id : {1, 2, 3, 4}) {
        EXPECT_EQ(iris.relationshipTo(id)->Daily, -30) << id;
        EXPECT_EQ(byId(id)->relationshipTo(5)->Daily, -30) << "the entry back, " << id;
        EXPECT_TRUE(byId(id)->Modified);
    }
    EXPECT_EQ(byId(1)->relationshipTo(2)->Daily, 80) << "others' entries among themselves stay";
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              LangStr(8060) + "\n\"-30 " + LangStr(6011) + "\"\n" + LangStr(8059) + "\n");
    EXPECT_EQ(dialogs.messages()[1].kind, MsgKind::Confirmation);

    page->trkSetAll->setValue(15);
    dialogs.answer(mrOk);
    button("btnSetAllLifetimeNGBD")->click();
    EXPECT_EQ(byId(1)->relationshipTo(2)->Lifetime, 15);
    EXPECT_EQ(page->trkLifetime->value(), 15);
}

TEST_F(RelationshipsPageTest, AnEntryTowardItselfIsNotListedAndOnlyTheNeighbourhoodSetAllChangesIt) {
    Sim* victor = byId(1);
    victor->Relationships.push_back({1, "Victor", "Marlow", 5, 5, 0, 0, 4, 0});
    open("User00001");
    EXPECT_EQ(page->cbRelationShips->count(), 4) << "the entry toward himself is not listed";
    page->trkSetAll->setValue(-10);
    dialogs.answer(mrOk);
    button("btnSetAllDailySim")->click();
    EXPECT_EQ(victor->relationshipTo(1)->Daily, 5) << "the character's Set All leaves it alone";
    dialogs.answer(mrOk);
    button("btnSetAllDailyNGBD")->click();
    EXPECT_EQ(victor->relationshipTo(1)->Daily, -10) << "the neighbourhood's Set All changes it";
}

TEST_F(RelationshipsPageTest, ACharacterWithoutRelationshipsHasADisabledPage) {
    open("User00006");  // the dog
    EXPECT_EQ(page->cbRelationShips->count(), 0);
    EXPECT_FALSE(window->pageGroup("grpRelationships")->isEnabled());
}

// The hearts stand after the name, 8 pixels after the text, as the game's
// players know them; left of the text there is no heart.
TEST_F(RelationshipsPageTest, HeartsAreDrawnAfterTheName) {
    open("User00001");
    page->ckLove->click();
    TRelationshipCombo& combo = *page->cbRelationShips;
    QImage item(300, 25, QImage::Format_RGB32);
    QPainter painter(&item);
    combo.drawItem(painter, item.rect(), 0, false);
    const int textWidth = painter.fontMetrics().horizontalAdvance(combo.itemText(0));
    painter.end();
    const QRgb background = item.pixel(item.width() - 1, item.height() - 1);
    auto drawnIn = [&](int left, int right) {
        for (int x = left; x < right; ++x) {
            for (int y = 0; y < item.height(); ++y) {
                if (item.pixel(x, y) != background) return true;
            }
        }
        return false;
    };
    const int heart = window->heartPictures()[2].width();
    EXPECT_TRUE(drawnIn(textWidth + 8, textWidth + 8 + heart)) << "the first heart";
    EXPECT_TRUE(drawnIn(textWidth + 8 + heart, textWidth + 8 + 2 * heart)) << "love: the second heart";
    EXPECT_FALSE(drawnIn(textWidth + 8 + 2 * heart, item.width())) << "no third";
}

}  // namespace
}  // namespace corvane
