#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// A character of the synthetic game, as its file in "Characters" holds it.
struct CharacterFileSpec {
    std::string fileName = "User00001";  // without ".iff"
    std::uint32_t guid = 0x01020304;
    // Name and biography per language number (1 is US English).
    std::map<int, std::pair<std::string, std::string>> names{{1, {"Bella", "Loves the stars."}}};
    bool namesWithoutLanguages = false;  // a table of format FE FF
    std::vector<std::string> bodyStrings;  // entry 0 is the age group
    bool thumbnail = true;
    // Whole BMP_ chunks, as the character images file holds them, in place of
    // the placeholder pictures; empty keeps the placeholders.
    std::vector<std::uint8_t> images;
};

// Body strings as the game writes them for a character of `ageGroup`
// ("adult", "child", "dog", "kat") at an expansion level: 30, 33, 34 or 35
// entries, every skin filled in (pets: body only).
std::vector<std::string> StandardBodyStrings(const std::string& ageGroup, int expansionLevel,
                                             const std::string& bodySize = "fit", const std::string& tone = "lgt");

// The whole character file: OBJD, CTSS, the body strings, a second STR#,
// BMP_ images (thumbnail and others), filler, and a resource map.
std::vector<std::uint8_t> MakeCharacterFile(const CharacterFileSpec& spec);

}  // namespace corvane
