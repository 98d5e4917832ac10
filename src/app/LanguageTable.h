#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// One language of the game: the names that choose it, the code of its table
// of texts, the game's language number and the interface font.
struct GameLanguageInfo {
    std::string_view name;        // "usenglish"
    std::string_view code;        // "usen"
    int languageNumber;           // 1..20
    std::string_view fontName;    // "Arial"
    int fontCharset;              // 0 Western, 128 for the East Asian fonts
};

// The row whose name or code equals `nameOrCode`, letter case ignored.
std::optional<GameLanguageInfo> FindGameLanguage(std::string_view nameOrCode);

// The language number and font for `gameLanguage` (at most four characters,
// so only codes can match); US English values when nothing matches.
GameLanguageInfo GameLanguageOrDefault(std::string_view gameLanguage);

// The code of the text table chosen by a "/l" value: a matching row's code,
// else the value itself.
std::string LanguageCodeForSwitch(std::string_view value);

}  // namespace corvane
