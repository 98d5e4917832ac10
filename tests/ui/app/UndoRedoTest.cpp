// Undo and redo of the editor's edits through the keys, on the demo neighbourhood.

#include "app/ui/TThinTrackbar.h"
#include "sim/ui/THouseJobPage.h"
#include "support/ui/DemoEditorTest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace corvane {
namespace {

class UndoRedoTest : public test::DemoEditorTest {
protected:
    void press(int key, Qt::KeyboardModifiers modifiers) {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
    }
    void undo() { press(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { press(Qt::Key_Y, Qt::ControlModifier); }
    void redoShifted() { press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // One drag of a slider, through several positions.
    static void drag(TThinTrackbar* slider, std::initializer_list<int> positions) {
        slider->setSliderDown(true);
        for (int position : positions) slider->setValue(position);
        slider->setSliderDown(false);
    }
    TThinTrackbar* slider(const char* name) { return window->findChild<TThinTrackbar*>(name); }
};

TEST_F(UndoRedoTest, TheKeysStepThroughTheEditsAndThePageFollows) {
    Sim& victor = open("User00001", "btnSkillsPersonality");
    drag(slider("trkNeat"), {850, 700, 321});
    slider("trkNice")->setValue(100);
    ASSERT_TRUE(window->btnSave->isEnabled());

    undo();
    EXPECT_EQ(victor.Nice, 700);
    EXPECT_EQ(slider("trkNice")->value(), 700) << "the slider shows the value undone";
    EXPECT_EQ(victor.Neat, 321);
    undo();
    EXPECT_EQ(victor.Neat, 900) << "the whole drag is one step";
    EXPECT_EQ(window->findChild<QLabel*>("lblNeat")->text().toStdString(), LangStr(6030) + "(900)");
    EXPECT_FALSE(victor.Modified);
    EXPECT_FALSE(window->btnSave->isEnabled()) << "nothing left to save";

    redo();
    EXPECT_EQ(victor.Neat, 321);
    EXPECT_TRUE(window->btnSave->isEnabled());
    redoShifted();
    EXPECT_EQ(victor.Nice, 100);
}

TEST_F(UndoRedoTest, ATypedNumberIsOneStepAndSharedCashComesBackForTheHouse) {
    Sim& elena = open("User00002", "btnHouseJob");
    auto* cash = window->findChild<QLineEdit*>("edtCash");
    cash->clear();
    for (const char* typed : {"7", "77", "777"}) {
        cash->setText(typed);
        emit cash->textEdited(cash->text());
    }
    emit cash->editingFinished();
    ASSERT_EQ(byId(1)->FamilyCash, 777);
    undo();
    EXPECT_EQ(elena.FamilyCash, 24000);
    EXPECT_EQ(byId(1)->FamilyCash, 24000) << "every member of the house";
    EXPECT_EQ(cash->text(), "24000");
}

// In the cash box the keys undo the document's edit, not the box's own typing.
TEST_F(UndoRedoTest, TheKeysInTheCashBoxUndoTheDocumentsEdit) {
    Sim& elena = open("User00002", "btnHouseJob");
    auto* cash = window->findChild<QLineEdit*>("edtCash");
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    cash->setFocus();
    cash->selectAll();
    QTest::keyClicks(cash, "5");
    ASSERT_EQ(elena.FamilyCash, 5) << "typed";
    QTest::keyClick(cash, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(elena.FamilyCash, 24000);
    EXPECT_EQ(cash->text(), "24000");
    EXPECT_TRUE(window->document().canRedo()) << "the document's step was undone, not the box's typing";
    QTest::keyClick(cash, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(elena.FamilyCash, 5);
}

TEST_F(UndoRedoTest, SavingAndOpeningANeighbourhoodClearTheHistory) {
    Sim& victor = open("User00001", "btnSkillsPersonality");
    slider("trkNeat")->setValue(321);
    dialogs.answer(mrYes);
    window->btnSave->click();
    undo();
    EXPECT_EQ(victor.Neat, 321) << "a save cannot be undone";

    slider("trkNeat")->setValue(100);
    dialogs.answer(mrNo);  // not saved when the neighbourhood opens again
    window->cbNeighborhoodChange();
    EXPECT_FALSE(window->document().canUndo());
}

TEST_F(UndoRedoTest, NoUndoWhileThePagesAreLocked) {
    Sim& victor = open("User00001", "btnSkillsPersonality");
    slider("trkNeat")->setValue(321);
    window->LockPages();
    undo();
    EXPECT_EQ(victor.Neat, 321);
    window->UnlockPages();
}

}  // namespace
}  // namespace corvane
