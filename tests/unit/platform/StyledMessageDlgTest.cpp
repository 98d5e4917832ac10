#include "platform/StyledMessageDlg.h"

#include "platform/LanguageModule.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class StyledMessageDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse(
            "5010\tOK\n5011\tCancel\n5013\tYes\n5014\tNo\n5015\tRetry\n5019\tAbort\n5020\tIgnore\n5021\tAll\n",
            "t.lng"));
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }
    test::ScriptedDialogs dialogs;
};

TEST_F(StyledMessageDlgTest, ShowsTheTextsAndLocalisedButtonsAndReturnsTheAnswer) {
    dialogs.answer(mrNo);
    ModalResult result = StyledMessageDlg(dialogs, "Corvane 3D", "Save changes?", MsgKind::None, 7, mrYes, mbYesNo);
    EXPECT_EQ(result, mrNo);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const MessageRequest& shown = dialogs.messages()[0];
    EXPECT_EQ(shown.caption, "Corvane 3D");
    EXPECT_EQ(shown.text, "Save changes?");
    EXPECT_EQ(shown.kind, MsgKind::None);
    EXPECT_EQ(shown.helpContext, 7);
    ASSERT_EQ(shown.buttons.size(), 2u);
    EXPECT_EQ(shown.buttons[0].caption, "Yes");
    EXPECT_EQ(shown.buttons[1].caption, "No");
    EXPECT_EQ(shown.defaultResult, mrYes);
}

TEST_F(StyledMessageDlgTest, EveryButtonHasItsOwnCaption) {
    struct Case { ModalResult result; const char* caption; };
    for (auto [result, caption] : {Case{mrOk, "OK"}, Case{mrCancel, "Cancel"}, Case{mrAbort, "Abort"},
                                   Case{mrRetry, "Retry"}, Case{mrIgnore, "Ignore"}, Case{mrYes, "Yes"},
                                   Case{mrNo, "No"}, Case{mrAll, "All"}}) {
        EXPECT_EQ(ButtonCaption(result), caption);
    }
}

TEST_F(StyledMessageDlgTest, DefaultOnlyForAButtonThatIsShown) {
    dialogs.answer(mrOk).answer(mrAll);
    StyledMessageDlg(dialogs, "c", "t", MsgKind::Warning, 0, mrNone, mbOK);
    StyledMessageDlg(dialogs, "c", "t", MsgKind::Error, 0, mrCancel, mbYesNoAll);
    EXPECT_EQ(dialogs.messages()[0].defaultResult, mrNone);
    EXPECT_EQ(dialogs.messages()[1].defaultResult, mrNone);
    EXPECT_EQ(dialogs.messages()[1].buttons.size(), 3u);
}

}  // namespace
}  // namespace corvane
