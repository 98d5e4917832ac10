// The Save button on the demo neighbourhood.

#include "app/ui/TThinTrackbar.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/FileBytes.h"
#include "sim/ui/TTraitPages.h"
#include "support/ui/DemoEditorTest.h"

#include <QComboBox>
#include <QPushButton>

namespace corvane {
namespace {

class SaveButtonTest : public test::DemoEditorTest {
protected:
    std::vector<std::string> listTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < window->cbUserName->count(); ++i) texts.push_back(window->cbUserName->itemText(i).toStdString());
        return texts;
    }
    std::uint16_t neatOnDisk(const Sim& sim) const {
        const auto bytes = ReadFileBytes(game / "UserData" / "neighborhood.iff");
        const auto at = static_cast<std::size_t>(sim.NeighborEntryPos) + 32;
        return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
    }
};

TEST_F(SaveButtonTest, SavesTheEditedCharacterAndKeepsTheListAsItWas) {
    Sim& victor = open("User00001", "btnSkillsPersonality");
    window->traitPages()->slider("trkNeat")->setValue(321);
    ASSERT_TRUE(window->btnSave->isEnabled());
    window->btnSortUsers->click();  // given name first
    const auto textsBefore = listTexts();

    dialogs.answer(mrNo);
    window->btnSave->click();
    EXPECT_TRUE(victor.Modified) << "No saves nothing";
    EXPECT_EQ(neatOnDisk(victor), 900);

    dialogs.forgetShown();
    dialogs.answer(mrYes);
    window->btnSave->click();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)});
    EXPECT_FALSE(victor.Modified);
    EXPECT_FALSE(window->btnSave->isEnabled());
    EXPECT_EQ(neatOnDisk(victor), 321);
    EXPECT_EQ(listTexts(), textsBefore);
    EXPECT_EQ(CurrentSim(), &victor);
}

TEST_F(SaveButtonTest, ANewFamilyNameReadsTheNeighbourhoodAgainAndShowsItInTheListsFormat) {
    Sim& elena = select("User00002");
    window->btnSortUsers->click();  // given name first
    elena.LastName = "Marlowe";
    elena.LastNameChanged = true;
    elena.Modified = true;
    window->btnSave->setEnabled(true);
    dialogs.answer(mrYes);
    window->btnSave->click();

    EXPECT_NE(CurrentSim(), &elena) << "the records were read anew";
    ASSERT_NE(CurrentSim(), nullptr);
    EXPECT_EQ(CurrentSim()->NeighborID, 2) << "the same character stays selected";
    EXPECT_EQ(window->cbUserName->currentText().toStdString(), "Elena Marlowe : User00002");
    EXPECT_EQ(byId(1)->LastName, "Marlowe") << "the whole family carries the name";
    const auto texts = listTexts();
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end()));
    EXPECT_EQ(texts.front(), "Biscuit Marlowe : User00006");
}

TEST_F(SaveButtonTest, ChoosingAnotherNeighbourhoodAndClosingSaveAfterAsking) {
    const Sim victor = open("User00001", "btnSkillsPersonality");  // a copy: the records go with the neighbourhood
    window->traitPages()->slider("trkNeat")->setValue(321);
    dialogs.answer(mrYes).answer(mrOk);  // save?, then: no characters there
    window->cbNeighborhood->setCurrentIndex(1);
    window->cbNeighborhoodChange();
    EXPECT_EQ(dialogs.messageTexts().front(), LangStr(8075));
    EXPECT_EQ(neatOnDisk(victor), 321) << "saved before the other neighbourhood opened";

    window->cbNeighborhood->setCurrentIndex(0);
    window->cbNeighborhoodChange();
    const Sim reopened = open("User00001", "btnSkillsPersonality");
    window->traitPages()->slider("trkNeat")->setValue(654);
    dialogs.forgetShown();
    dialogs.answer(mrYes);
    const std::string question = LangStr(8075);  // the language table goes with the window
    EXPECT_TRUE(window->close());
    ASSERT_FALSE(dialogs.messageTexts().empty());
    EXPECT_EQ(dialogs.messageTexts().front(), question);
    EXPECT_EQ(neatOnDisk(reopened), 654) << "saved at exit";
}

}  // namespace
}  // namespace corvane
