#include "app/ui/ReportFailure.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvane {
namespace {

TEST(ReportFailure, AFailingEntryPointShowsItsWholeMessageAndReturns) {
    test::ScriptedDialogs dialogs;
    dialogs.answer(mrOk);
    const bool done = ReportFailure(dialogs, [] {
        throw std::filesystem::filesystem_error("cannot open the neighbourhood", "/game/UserData",
                                                std::make_error_code(std::errc::permission_denied));
    });
    EXPECT_FALSE(done);
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    EXPECT_NE(dialogs.messageTexts().front().find("/game/UserData"), std::string::npos);
    EXPECT_NE(dialogs.messageTexts().front().find("ermission denied"), std::string::npos);
    EXPECT_TRUE(ReportFailure(dialogs, [] {}));
    EXPECT_EQ(dialogs.messageTexts().size(), 1u) << "success says nothing";
}

}  // namespace
}  // namespace corvane
