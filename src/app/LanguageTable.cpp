#include "app/LanguageTable.h"

#include "platform/CaseInsensitivePath.h"

#include <array>

namespace corvane {

namespace {

constexpr std::array<GameLanguageInfo, 16> kLanguages{{
    {"usenglish", "usen", 1, "Arial", 0},
    {"ukenglish", "uken", 2, "Arial", 0},
    {"french", "fren", 3, "Arial", 0},
    {"german", "germ", 4, "Arial", 0},
    {"italian", "ital", 5, "Arial", 0},
    {"spanish", "span", 6, "Arial", 0},
    {"dutch", "dutc", 7, "Arial", 0},
    {"swedish", "swed", 9, "Arial", 0},
    {"finnish", "finn", 11, "Trebuchet MS", 0},
    {"portuguese", "port", 14, "Arial", 0},
    {"japanese", "japa", 15, "MS Gothic", 128},
    {"polish", "poli", 16, "Arial", 0},
    {"traditional chinese", "trad", 17, "MingLiU", 128},
    {"simplified chinese", "simp", 18, "MS Hei", 128},
    {"thai", "thai", 19, "Angsana New", 128},
    {"korean", "kore", 20, "Trebuchet MS", 0},
}};

}  // namespace

std::optional<GameLanguageInfo> FindGameLanguage(std::string_view nameOrCode) {
    for (const GameLanguageInfo& language : kLanguages) {
        if (EqualsIgnoreCase(language.name, nameOrCode) || EqualsIgnoreCase(language.code, nameOrCode)) {
            return language;
        }
    }
    return std::nullopt;
}

GameLanguageInfo GameLanguageOrDefault(std::string_view gameLanguage) {
    return FindGameLanguage(gameLanguage).value_or(GameLanguageInfo{"", "", 1, "Arial", 0});
}

std::string LanguageCodeForSwitch(std::string_view value) {
    auto language = FindGameLanguage(value);
    return language ? std::string(language->code) : std::string(value);
}

}  // namespace corvane
