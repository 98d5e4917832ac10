#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CodePage, FollowsTheGamesLanguageNumber) {
    struct Case { int language; int codePage; };
    for (auto [language, codePage] : {Case{1, 1252}, Case{3, 1252}, Case{11, 1252}, Case{15, 932},
                                      Case{16, 1250}, Case{17, 950}, Case{18, 936}, Case{19, 874},
                                      Case{20, 949}, Case{8, 1252}}) {
        EXPECT_EQ(CodePageForLanguage(language), codePage) << "language " << language;
    }
}

TEST(CodePage, RoundTripsNamesOfEachScript) {
    struct Case { int codePage; std::string bytes; std::string utf8; };
    const Case cases[] = {
        {1252, "Ren\xE9\x80", "Ren\xC3\xA9\xE2\x82\xAC"},          // René€
        {1250, "\xA3\xF3\x64\x9F", "\xC5\x81\xC3\xB3\x64\xC5\xBA"},  // Łódź
        {932, "\x83\x4E", "\xE3\x82\xAF"},                          // ク
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage;
        EXPECT_EQ(Utf8ToCodePage(c.utf8, c.codePage), c.bytes) << c.codePage;
    }
}

TEST(CodePage, DamagedTextBecomesQuestionMarksInsteadOfFailing) {
    EXPECT_EQ(CodePageToUtf8("A\x81\x20" "B", 932), "A? B") << "a lead byte without a valid trail byte";
    EXPECT_EQ(Utf8ToCodePage("a\xFF" "b", 1252), "a?b") << "bytes that are not UTF-8";
    EXPECT_EQ(Utf8ToCodePage("\xE3\x82\xAF", 1252), "?") << "a character the code page lacks";
}

}  // namespace
}  // namespace corvane
