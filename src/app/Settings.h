#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace corvane {

// The process-wide settings that start-up settles and every part of the
// editor reads. Colours are 0x00BBGGRR values (red in the low byte).
struct Settings {
    std::filesystem::path GamePath;          // the game's installation folder
    std::filesystem::path NeighborhoodPath;  // the open neighbourhood's folder
    std::string GameLanguage;                // at most four characters, e.g. "USEn"
    int LanguageNumber = 1;                  // 1..20, the game's language number
    int ExpansionLevel = 0;                  // 0..7, highest expansion pack installed
    std::string SkinsFolder = "GameData\\Skins";  // relative to GamePath
    std::uint32_t BackColor = 0x804000;
    std::uint32_t FontColor = 0xFFFFFF;
    std::uint32_t PreviewColor = 0x804000;
    std::string UIFontName = "Arial";
    int UIFontCharset = 0;
    int UIFontSize = 8;
};

// The one settings record of the running editor (or command-line tool).
Settings& AppSettings();

}  // namespace corvane
