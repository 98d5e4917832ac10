#include "platform/WineRegistryFile.h"
#include "platform/WineRegistryFileEscapes.h"

#include "support/RegistryTestFiles.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::kPlainHive;
using test::replacedOnce;

constexpr std::string_view kGameKey = "Software\\Maxis\\The Sims";

std::string hiveWithGameValue(std::string_view valueLine) {
    return "WINE REGISTRY Version 2\n\n[Software\\\\Maxis\\\\The Sims] 1600000000\n" + std::string(valueLine) +
           "\n\"After\"=\"kept\"\n";
}

struct DecodeCase {
    const char* fault;  // what a wrong decoder would get wrong
    std::string_view valueLine;
    std::string_view expected;
};

class WineRegistryDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(WineRegistryDecode, ReadsTheStringAsWineWroteIt) {
    const WineRegistryFile hive(hiveWithGameValue(GetParam().valueLine));
    EXPECT_EQ(hive.readString(kGameKey, "V"), std::string(GetParam().expected)) << GetParam().fault;
    EXPECT_EQ(hive.readString(kGameKey, "After"), "kept") << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, WineRegistryDecode,
    ::testing::Values(
        DecodeCase{"doubled_backslash", R"("V"="C:\\Program Files\\")", "C:\\Program Files\\"},
        DecodeCase{"escaped_quote_ends_string", R"("V"="say \"hi\" now")", "say \"hi\" now"},
        DecodeCase{"short_hex_escape", R"("V"="Caf\xe9")", "Caf\xC3\xA9"},
        DecodeCase{"hex_escape_four_digits_before_digit", R"("V"="\x00e91")", "\xC3\xA9" "1"},
        DecodeCase{"hex_escape_cjk", R"("V"="\x65e5\x672c")", "\xE6\x97\xA5\xE6\x9C\xAC"},
        DecodeCase{"surrogate_pair", R"("V"="\xd83d\xde00")", "\xF0\x9F\x98\x80"},
        DecodeCase{"lone_surrogate", R"("V"="a\xd800b")", "a\xEF\xBF\xBD" "b"},
        DecodeCase{"letter_escapes", R"("V"="a\tb\nc\rd")", "a\tb\nc\rd"},
        DecodeCase{"octal_escape", R"("V"="\033[1")", "\x1B[1"},
        DecodeCase{"nul_ends_windows_string", R"("V"="before\0after")", "before"},
        DecodeCase{"raw_utf8_bytes", "\"V\"=\"Caf\xC3\xA9\"", "Caf\xC3\xA9"},
        DecodeCase{"expand_string_type", R"("V"=str(2):"%ProgramFiles%\\Maxis")", "%ProgramFiles%\\Maxis"},
        DecodeCase{"string_as_utf16_bytes", R"("V"=hex(1):43,00,3a,00,5c,00)", "C:\\"},
        DecodeCase{"utf16_bytes_over_lines", "\"V\"=hex(1):43,00,3a,00,\\\n  5c,00,e9,00,00,00", "C:\\\xC3\xA9"},
        DecodeCase{"dword_is_no_string", R"("V"=dword:00000001)", ""},
        DecodeCase{"binary_is_no_string", "\"V\"=hex:01,02,\\\n  03", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.fault); });

TEST(WineRegistryFile, FindsKeysAndValuesIgnoringCaseAndSurroundingBackslashes) {
    const WineRegistryFile hive{std::string(kPlainHive)};
    EXPECT_EQ(hive.readString("\\SOFTWARE\\maxis\\THE SIMS\\", "sims_data"), "C:\\Program Files\\Maxis\\The Sims\\");
    EXPECT_EQ(hive.readString(kGameKey, "SIMS_LANGUAGE"), "USEnglish");  // not the subkey's
    EXPECT_EQ(hive.readString("Software\\Maxis\\The Sims 2", "SIMS_DATA"), "C:\\Other\\");
    EXPECT_TRUE(hive.hasKey("software\\maxis\\the sims\\expansions"));
    EXPECT_FALSE(hive.hasKey("Software\\Maxis\\The Sim"));
    EXPECT_FALSE(hive.hasKey("Software\\Maxis"));
}

TEST(WineRegistryFile, MissingValuesAndKeysAreEmpty) {
    const WineRegistryFile hive{std::string(kPlainHive)};
    EXPECT_EQ(hive.readString(kGameKey, "SIMS_CURRENT_NEIGHBORHOOD_PATH"), std::nullopt);
    EXPECT_EQ(hive.readString(kGameKey, "SIMS"), std::nullopt);  // a name that begins another name
    EXPECT_EQ(hive.readString("Software\\Maxis\\Missing", "SIMS_DATA"), std::nullopt);
    // A value of the next key is not one of this key's values.
    EXPECT_EQ(hive.readString("Software\\Maxis\\The Sims\\Expansions", "SIMS_DATA"), std::nullopt);
}

TEST(WineRegistryFile, ReplacingAValueChangesOnlyItsLine) {
    WineRegistryFile hive{std::string(kPlainHive)};
    hive.writeString("\\SOFTWARE\\Maxis\\The Sims\\", "sims_language", "French");
    EXPECT_EQ(hive.text(), replacedOnce(std::string(kPlainHive), "\"SIMS_LANGUAGE\"=\"USEnglish\"",
                                        "\"sims_language\"=\"French\""));
}

TEST(WineRegistryFile, NewValueIsAppendedAtTheEndOfItsKey) {
    WineRegistryFile hive{std::string(kPlainHive)};
    hive.writeString(kGameKey, "SIMS_CURRENT_NEIGHBORHOOD_PATH", "UserData2");
    EXPECT_EQ(hive.text(), replacedOnce(std::string(kPlainHive), "\"Installed\"=dword:00000001\n",
                                        "\"Installed\"=dword:00000001\n"
                                        "\"SIMS_CURRENT_NEIGHBORHOOD_PATH\"=\"UserData2\"\n"));
    EXPECT_EQ(hive.readString(kGameKey, "SIMS_CURRENT_NEIGHBORHOOD_PATH"), "UserData2");
}

TEST(WineRegistryFile, NewValueInAKeyWithoutValuesFollowsItsHeader) {
    const std::string text = "[Software\\\\Empty] 1\n\n[Software\\\\Next] 2\n";
    WineRegistryFile hive{text};
    hive.writeString("Software\\Empty", "", "default");
    EXPECT_EQ(hive.text(), "[Software\\\\Empty] 1\n@=\"default\"\n\n[Software\\\\Next] 2\n");
    EXPECT_EQ(hive.readString("Software\\Empty", ""), "default");
}

TEST(WineRegistryFile, ValueOverSeveralLinesIsReplacedWhole) {
    const std::string text = hiveWithGameValue("\"V\"=hex(1):43,00,\\\n  3a,00,00,00");
    WineRegistryFile hive{text};
    hive.writeString(kGameKey, "V", "D:");
    EXPECT_EQ(hive.text(), hiveWithGameValue("\"V\"=\"D:\""));
}

TEST(WineRegistryFile, WindowsLineBreaksStayWindowsLineBreaks) {
    const std::string text = "[Software\\\\Maxis\\\\The Sims] 1\r\n\"A\"=\"1\"\r\n\r\n[Software\\\\B] 2\r\n";
    WineRegistryFile hive{text};
    hive.writeString(kGameKey, "A", "2");
    hive.writeString(kGameKey, "New", "3");
    EXPECT_EQ(hive.text(), "[Software\\\\Maxis\\\\The Sims] 1\r\n\"A\"=\"2\"\r\n\"New\"=\"3\"\r\n\r\n[Software\\\\B] 2\r\n");
}

TEST(WineRegistryFile, LastLineWithoutLineBreak) {
    WineRegistryFile hive{"[Software\\\\Maxis\\\\The Sims] 1\n\"A\"=\"1\""};
    hive.writeString(kGameKey, "B", "2");
    EXPECT_EQ(hive.text(), "[Software\\\\Maxis\\\\The Sims] 1\n\"A\"=\"1\"\n\"B\"=\"2\"");
}

TEST(WineRegistryFile, WritingIntoAMissingKeyIsRefused) {
    WineRegistryFile hive{std::string(kPlainHive)};
    EXPECT_THROW(hive.writeString("Software\\Nowhere", "A", "1"), std::logic_error);
    EXPECT_EQ(hive.text(), kPlainHive);
}

struct EscapeCase {
    const char* fault;
    std::string_view value;
    std::string_view written;  // as Wine itself would write it
};

class WineRegistryEscape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(WineRegistryEscape, WritesAsWineDoesAndReadsBack) {
    WineRegistryFile hive(hiveWithGameValue("\"V\"=\"old\""));
    hive.writeString(kGameKey, "V", GetParam().value);
    EXPECT_EQ(hive.text(), hiveWithGameValue("\"V\"=\"" + std::string(GetParam().written) + "\"")) << GetParam().fault;
    EXPECT_EQ(hive.readString(kGameKey, "V"), std::string(GetParam().value)) << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(
    Values, WineRegistryEscape,
    ::testing::Values(
        EscapeCase{"backslashes_of_a_path", "C:\\Program Files\\Maxis\\The Sims\\", R"(C:\\Program Files\\Maxis\\The Sims\\)"},
        EscapeCase{"quotes", "say \"hi\"", R"(say \"hi\")"},
        EscapeCase{"latin_letter", "Caf\xC3\xA9", R"(Caf\xe9)"},
        EscapeCase{"hex_digit_after_escape", "\xC3\xA9" "1b", R"(\x00e91b)"},
        EscapeCase{"cjk", "\xE6\x97\xA5\xE6\x9C\xAC", R"(\x65e5\x672c)"},
        EscapeCase{"outside_basic_plane", "\xF0\x9F\x98\x80", R"(\xd83d\xde00)"},
        EscapeCase{"control_characters", "a\tb\nc\x1B", R"(a\tb\nc\e)"},
        EscapeCase{"octal_before_digit", "\x01" "7", R"(\0017)"},
        EscapeCase{"delete_stays_raw", "\x7F", "\x7F"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.fault); });

TEST(WineRegistryFileEscapes, BytesThatAreNotUtf8BecomeLatin1Characters) {
    EXPECT_EQ(EscapeWineString("Caf\xE9"), R"(Caf\xe9)");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xC0\xAF")), "\xC3\x80\xC2\xAF");  // an overlong '/' is no '/'
}

TEST(WineRegistryFileEscapes, KeyNamesEndAtTheUnescapedBracket) {
    WineUnescaped name = UnescapeWineString(R"(Software\\A\]B] 1600000000)", ']');
    EXPECT_TRUE(name.terminated);
    EXPECT_EQ(Utf16ToUtf8(name.units), "Software\\A]B");
    EXPECT_EQ(name.length, 14u);
}

}  // namespace
}  // namespace corvane
