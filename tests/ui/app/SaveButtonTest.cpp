// The Save button on the demo neighbourhood.

#include "app/GameFileSettings.h"
#include "app/ui/TThinTrackbar.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/FileBytes.h"
#include "sim/FieldAssignment.h"
#include "skins/SkinCatalogueBuilder.h"
#include "sim/ui/TTraitPage.h"
#include "support/ui/DemoEditorTest.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include <chrono>
#include <filesystem>
#include <fstream>

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
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
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
    EXPECT_EQ(window->document().current(), &victor);
}

TEST_F(SaveButtonTest, ANewFamilyNameReadsTheNeighbourhoodAgainAndShowsItInTheListsFormat) {
    Sim& elena = select("User00002");
    window->btnSortUsers->click();  // given name first
    elena.LastName = "Marlowe";
    elena.LastNameChanged = true;
    elena.Modified = true;
    window->btnSave->setEnabled(true);
    int opened = 0;
    const auto watching = window->document().subscribe([&](const DocumentChange& change) {
        opened += change.kind == DocumentChange::Kind::Opened && !window->document().characters().empty() ? 1 : 0;
    });
    dialogs.answer(mrYes);
    window->btnSave->click();

    // (The new record may well stand where the old one stood in memory.)
    EXPECT_EQ(opened, 1) << "the records were read anew";
    ASSERT_NE(window->document().current(), nullptr);
    EXPECT_EQ(window->document().current()->NeighborID, 2) << "the same character stays selected";
    EXPECT_EQ(window->cbUserName->currentText().toStdString(), "Elena Marlowe : User00002");
    EXPECT_EQ(byId(1)->LastName, "Marlowe") << "the whole family carries the name";
    const auto texts = listTexts();
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end()));
    EXPECT_EQ(texts.front(), "Biscuit Marlowe : User00006");
}

TEST_F(SaveButtonTest, ChoosingAnotherNeighbourhoodAndClosingSaveAfterAsking) {
    const Sim victor = open("User00001", "btnSkillsPersonality");  // a copy: the records go with the neighbourhood
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
    dialogs.answer(mrYes).answer(mrOk);  // save?, then: no characters there
    window->cbNeighborhood->setCurrentIndex(1);
    window->cbNeighborhoodChange();
    EXPECT_EQ(dialogs.messageTexts().front(), LangStr(8075));
    EXPECT_EQ(neatOnDisk(victor), 321) << "saved before the other neighbourhood opened";

    window->cbNeighborhood->setCurrentIndex(0);
    window->cbNeighborhoodChange();
    const Sim reopened = open("User00001", "btnSkillsPersonality");
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(654);
    dialogs.forgetShown();
    dialogs.answer(mrYes);
    const std::string question = LangStr(8075);  // the language table goes with the window
    EXPECT_TRUE(window->close());
    ASSERT_FALSE(dialogs.messageTexts().empty());
    EXPECT_EQ(dialogs.messageTexts().front(), question);
    EXPECT_EQ(neatOnDisk(reopened), 654) << "saved at exit";
}

// A record the loading repaired is written by the next save: Save is offered at once.
TEST_F(SaveButtonTest, ARepairMadeWhileLoadingEnablesSave) {
    std::vector<std::unique_ptr<Sim>> loaded;
    loaded.push_back(std::make_unique<Sim>());
    loaded.back()->Modified = true;
    window->document().open(std::move(loaded), std::vector<std::optional<Bitmap>>(1), nullptr);
    EXPECT_TRUE(window->btnSave->isEnabled());
}

// A neighbourhood that cannot be opened is said, and the editor goes on.
TEST_F(SaveButtonTest, ANeighbourhoodThatCannotBeReadIsToldAndTheEditorKeepsRunning) {
    std::filesystem::rename(game / "UserData", game / "UserData.moved");
    std::ofstream(game / "UserData") << "not a folder";
    dialogs.forgetShown();
    dialogs.answer(mrOk);
    window->cbNeighborhoodChange();
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    EXPECT_NE(dialogs.messageTexts().front().find("Not a directory"), std::string::npos) << "the cause is said";
    EXPECT_EQ(window->cbUserName->count(), 0);
    EXPECT_TRUE(window->btnExit->isEnabled()) << "the editor is still usable";
}

// The last steps of the exit fail (the editor's options cannot be written):
// it is said, and the editor stays and can still be closed afterwards.
TEST_F(SaveButtonTest, AnExitThatFailsKeepsTheEditorAndLetsItCloseLater) {
    window->show();
    const auto config = folder.path() / "config";
    std::filesystem::rename(config, folder.path() / "config.kept");
    std::ofstream(config) << "in the way";
    dialogs.answer(mrOk);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.messageTexts().size(), 1u) << "the failure is said";
    EXPECT_TRUE(window->grpNGBD->isEnabled()) << "the pages are not left locked";
    std::filesystem::remove(config);
    std::filesystem::rename(folder.path() / "config.kept", config);
    EXPECT_TRUE(window->close());
}

// Escape or the close box on the exit question answers nothing (QtDialogs
// returns mrCancel): the editor stays open with every change kept.
class ExitQuestionTest : public SaveButtonTest {
protected:
    Sim& editAndCloseUnanswered() {
        Sim& victor = open("User00001", "btnSkillsPersonality");
        window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
        window->show();
        dialogs.answer(mrCancel);
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)});
        EXPECT_TRUE(victor.Modified);
        EXPECT_EQ(window->document().current(), &victor);
        EXPECT_EQ(neatOnDisk(victor), 900);
        EXPECT_TRUE(window->btnSave->isEnabled());
        EXPECT_TRUE(window->grpNGBD->isEnabled()) << "the pages are not left locked";
        EXPECT_EQ(window->cbUserName->count(), 7);
        return victor;
    }
};

TEST_F(ExitQuestionTest, ClosedWithoutAnAnswerTheEditorStaysAndYesThenSavesAndCloses) {
    const Sim victor = editAndCloseUnanswered();
    dialogs.answer(mrYes);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(neatOnDisk(victor), 321);
}

TEST_F(ExitQuestionTest, ClosedWithoutAnAnswerTheEditorStaysAndNoThenClosesWithoutSaving) {
    const Sim victor = editAndCloseUnanswered();
    dialogs.answer(mrNo);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(neatOnDisk(victor), 900);
}

TEST_F(SaveButtonTest, TheQuestionBeforeAnotherNeighbourhoodClosedWithoutAnAnswerKeepsThisOneOpen) {
    Sim& victor = open("User00001", "btnSkillsPersonality");
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
    dialogs.answer(mrCancel);
    window->cbNeighborhood->setCurrentIndex(1);
    window->cbNeighborhoodChange();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)}) << "the other one was not opened";
    EXPECT_EQ(window->cbNeighborhood->currentIndex(), 0) << "the open neighbourhood stays selected";
    EXPECT_EQ(window->document().current(), &victor);
    EXPECT_TRUE(victor.Modified);
    EXPECT_EQ(neatOnDisk(victor), 900);
    EXPECT_TRUE(window->grpNGBD->isEnabled());

    dialogs.answer(mrYes);
    window->btnSave->click();
    EXPECT_EQ(neatOnDisk(victor), 321) << "the kept change is saved later";
}

// A second window set the household's cash and Victor's Neat and saved while
// this one had the neighbourhood open; this one changed Victor's Neat and
// Nice. The save keeps the other window's cash, asks only about Neat (Yes:
// this window's value) and shows the files as they are after it.
TEST_F(SaveButtonTest, ASaveAfterAnotherWindowSavedKeepsItsValuesAndAsksOnlyAboutTheSameValue) {
    open("User00001", "btnSkillsPersonality");
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(321);
    window->findChild<TThinTrackbar*>("trkNice")->setValue(654);

    const std::filesystem::path userData = game / "UserData";
    Document other(AppSettings().ExpansionLevel);
    {
        test::ScriptedDialogs quiet;
        SilentProgress progress;
        OpenedNeighbourhood opened = OpenNeighbourhood(LoadSettingsFor(AppSettings(), userData, false), quiet, progress);
        other.open(std::move(opened.characters), std::move(opened.thumbnails), std::move(opened.image), opened.imageStamp);
    }
    Sim* otherVictor = nullptr;
    for (Sim* sim : other.sims()) otherVictor = sim->FileName == "User00001" ? sim : otherVictor;
    ASSERT_NE(otherVictor, nullptr);
    const InstalledSkinsLookup noSkins = []() -> const InstalledSkins& { throw std::logic_error("no skin is set"); };
    AssignField(other, *otherVictor, "FamilyCash", "77777", noSkins);
    AssignField(other, *otherVictor, "Neat", "111", noSkins);
    test::ScriptedDialogs otherDialogs;
    otherDialogs.answer(mrYes);
    SilentProgress otherProgress;
    CharacterSaveServices otherServices{otherDialogs, otherProgress, []() -> const SkinCatalogue& {
                                            SkinCatalogue& catalogue = GameSkinCatalogue();
                                            SilentProgress progress;
                                            if (!catalogue.complete()) {
                                                LoadSkinData(catalogue, SkinFolders(AppSettings().GamePath,
                                                                                    AppSettings().ExpansionLevel),
                                                             progress);
                                            }
                                            return catalogue;
                                        }};
    ASSERT_TRUE(SaveModifiedCharacters(other.characters(), SaveSettingsFor(AppSettings(), userData), otherServices).saved);
    // Written after this window read it, whatever the clock's grain.
    const auto values = userData / "neighborhood.iff";
    std::filesystem::last_write_time(values, std::filesystem::last_write_time(values) + std::chrono::hours(1));

    dialogs.answer(mrYes).answer(mrYes);
    window->btnSave->click();
    ASSERT_EQ(dialogs.messageTexts().size(), 2u);
    EXPECT_EQ(dialogs.messageTexts()[1], LangStr(7340) + "\n" + values.string() + "\nVictor Marlow (User00001): Neat\n" +
                                             LangStr(7341) + " 111\n" + LangStr(7342) + " 321\n" + LangStr(7343));
    const Sim* victor = window->document().current();
    ASSERT_NE(victor, nullptr);
    EXPECT_EQ(victor->NeighborID, 1) << "the same character stays selected";
    EXPECT_EQ(victor->FamilyCash, 77777) << "the other window's cash, read anew";
    EXPECT_EQ(victor->Neat, 321);
    EXPECT_EQ(victor->Nice, 654);
    EXPECT_FALSE(victor->Modified);
    EXPECT_FALSE(window->btnSave->isEnabled());
    EXPECT_EQ(window->findChild<TThinTrackbar*>("trkNeat")->value(), 321);
    EXPECT_EQ(neatOnDisk(*victor), 321);

    dialogs.forgetShown();
    window->findChild<TThinTrackbar*>("trkNeat")->setValue(322);
    dialogs.answer(mrYes);
    window->btnSave->click();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)}) << "read anew, nothing is asked";
    EXPECT_EQ(neatOnDisk(*window->document().current()), 322);
}

}  // namespace
}  // namespace corvane
