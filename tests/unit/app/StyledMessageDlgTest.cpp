#include "app/StyledMessageDlg.h"

#include "app/Settings.h"
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
        AppSettings() = Settings();
        AppSettings().BackColor = 0x804000;
        AppSettings().FontColor = 0xFFDBB7;
        AppSettings().UIFontName = "Trebuchet MS";
        AppSettings().UIFontSize = 12;
    }
    void TearDown() override {
        SetLanguageModule(LanguageModule());
        AppSettings() = Settings();
    }
    test::ScriptedDialogs dialogs;
};

TEST_F(StyledMessageDlgTest, ShowsInverseColoursLocalisedButtonsAndReturnsTheAnswer) {
    dialogs.answer(mrNo);
    ModalResult result = StyledMessageDlg(dialogs, "Corvane 3D", "Save changes?", MsgKind::None, 7, mrYes, mbYesNo);
    EXPECT_EQ(result, mrNo);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const MessageRequest& shown = dialogs.messages()[0];
    EXPECT_EQ(shown.caption, "Corvane 3D");
    EXPECT_EQ(shown.text, "Save changes?");
    EXPECT_EQ(shown.kind, MsgKind::None);
    EXPECT_EQ(shown.helpContext, 7);
    EXPECT_EQ(shown.style.backgroundColor, 0xFFDBB7u) << "the window's text colour";
    EXPECT_EQ(shown.style.textColor, 0x804000u) << "the window's background";
    EXPECT_EQ(shown.style.fontName, "Trebuchet MS");
    EXPECT_EQ(shown.style.fontSize, 8) << "dialogs keep size 8 whatever the window uses";
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
