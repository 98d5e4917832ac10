#include "app/ColorNames.h"
#include "app/CommandLineSwitches.h"
#include "app/LanguageTable.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CommandLine, SwitchesAnyCaseWithTheirValues) {
    auto switches = ParseCommandLine({"/L", "french", "/backcolor", "navy", "/BACKCOLOR", "$FF0000", "/skinsdir",
                                      "Skins1", "/skinsdir", "Skins2", "/teens", "/SkinAge", "/colorbits", "16",
                                      "/openglcheck", "/demo", "stray", "/3dcolor"});
    EXPECT_EQ(switches.languages, std::vector<std::string>{"french"});
    EXPECT_EQ(switches.backColor, "$FF0000") << "the last occurrence wins";
    EXPECT_EQ(switches.skinsFolders, (std::vector<std::string>{"Skins1", "Skins2"}));
    EXPECT_TRUE(switches.teens);
    EXPECT_TRUE(switches.skinAge);
    EXPECT_EQ(switches.colorBits, "16");
    EXPECT_FALSE(switches.depthBits.has_value());
    EXPECT_EQ(switches.openGlChecks, 1);
    EXPECT_TRUE(switches.demo);
    EXPECT_EQ(switches.previewColor, "") << "a switch without its value reads an empty value";
    EXPECT_FALSE(switches.fontColor.has_value());
}

TEST(CommandLine, ColourValuesAndTheirFallbacks) {
    struct Case { const char* value; std::uint32_t expected; };
    const std::uint32_t fallback = 0x804000;
    for (auto [value, expected] : {Case{"navy", 0x800000}, Case{"clNavy", 0x800000}, Case{"CLWHITE", 0xFFFFFF},
                                   Case{"MoneyGreen", 0xC0DCC0}, Case{"$FF0000", 0xFF0000}, Case{"$ff", 0x0000FF},
                                   Case{"12", fallback}, Case{"", fallback}, Case{"$", fallback},
                                   Case{"$1000000", fallback}, Case{"$12G", fallback}, Case{"clNone", fallback},
                                   Case{"clBtnFace", 0xF0F0F0}}) {
        EXPECT_EQ(ColorFromSwitch(value, fallback), expected) << value;
    }
}

TEST(CommandLine, LanguageNamesCodesAndFonts) {
    struct Case { const char* gameLanguage; int number; const char* font; int charset; };
    for (auto [gameLanguage, number, font, charset] :
         {Case{"USEn", 1, "Arial", 0}, Case{"Finn", 11, "Trebuchet MS", 0}, Case{"japa", 15, "MS Gothic", 128},
          Case{"Thai", 19, "Angsana New", 128}, Case{"Fin", 1, "Arial", 0}, Case{"", 1, "Arial", 0}}) {
        GameLanguageInfo info = GameLanguageOrDefault(gameLanguage);
        EXPECT_EQ(info.languageNumber, number) << gameLanguage;
        EXPECT_EQ(info.fontName, font) << gameLanguage;
        EXPECT_EQ(info.fontCharset, charset) << gameLanguage;
    }
    EXPECT_EQ(LanguageCodeForSwitch("Traditional Chinese"), "trad");
    EXPECT_EQ(LanguageCodeForSwitch("UKEN"), "uken");
    EXPECT_EQ(LanguageCodeForSwitch("klingon"), "klingon") << "no match: the value names the table itself";
}

}  // namespace
}  // namespace corvane
