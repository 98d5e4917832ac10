#include "app/MessageStyle.h"

namespace corvane {

MessageStyle MessageStyleFor(const Settings& settings) {
    MessageStyle style;
    style.backgroundColor = settings.FontColor;
    style.textColor = settings.BackColor;
    style.fontName = settings.UIFontName;
    style.fontSize = 8;
    return style;
}

}  // namespace corvane
