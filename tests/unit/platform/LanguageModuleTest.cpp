#include "platform/LanguageModule.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane {
namespace {

class LanguageModuleTest : public ::testing::Test {
protected:
    void TearDown() override { SetLanguageModule(LanguageModule()); }
};

TEST_F(LanguageModuleTest, ParsesIdsTextsEscapesAndComments) {
    auto module = LanguageModule::parse(
        "\xEF\xBB\xBF# comment\r\n\n5010\tOK\r\n7093\tLine one\\nLine two\\tend \\\\ back\n6046\tNet worth: \n",
        "t.lng");
    EXPECT_EQ(module.text(5010), "OK");
    EXPECT_EQ(module.text(7093), "Line one\nLine two\tend \\ back");
    EXPECT_EQ(module.text(6046), "Net worth: ") << "trailing blanks matter to joined texts";
    EXPECT_EQ(module.text(1), "");
}

TEST_F(LanguageModuleTest, BrokenTablesNameTheLine) {
    const char* broken[] = {"5010 OK\n", "50x0\tOK\n", "5010\tOK\n5010\tAgain\n", "5010\tend\\\n", "5010\t\\q\n"};
    for (const char* content : broken) {
        try {
            LanguageModule::parse(content, "bad.lng");
            ADD_FAILURE() << "accepted: " << content;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find("bad.lng line"), std::string::npos) << error.what();
        }
    }
}

TEST_F(LanguageModuleTest, LangStrCutsAt255BytesAndMissingGivesEmpty) {
    std::string longText(300, 'a');
    std::string accented = std::string(254, 'b') + "\xC3\xA9";  // 256 bytes, a 2-byte letter at the cut
    SetLanguageModule(LanguageModule::parse("1\t" + longText + "\n2\t" + accented + "\n", "t.lng"));
    EXPECT_EQ(LangStr(1), std::string(255, 'a'));
    EXPECT_EQ(LangStr(2), std::string(254, 'b')) << "never half a character";
    EXPECT_EQ(LangStr(3), "");
    SetLanguageModule(LanguageModule());
    EXPECT_EQ(LangStr(1), "") << "no module: every text is empty";
}

}  // namespace
}  // namespace corvane
