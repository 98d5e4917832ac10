#include "app/MessageStyle.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(MessageStyle, InverseOfTheWindowColoursInItsFontAtSizeEight) {
    Settings settings;
    settings.BackColor = 0x804000;
    settings.FontColor = 0xFFDBB7;
    settings.UIFontName = "Trebuchet MS";
    settings.UIFontSize = 12;
    const MessageStyle style = MessageStyleFor(settings);
    EXPECT_EQ(style.backgroundColor, 0xFFDBB7u) << "the window's text colour";
    EXPECT_EQ(style.textColor, 0x804000u) << "the window's background";
    EXPECT_EQ(style.fontName, "Trebuchet MS");
    EXPECT_EQ(style.fontSize, 8) << "dialogs keep size 8 whatever the window uses";
}

}  // namespace
}  // namespace corvane
