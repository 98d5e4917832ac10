// Small files the registry tests build: a Wine prefix with its hive and drive links.
#pragma once

#include "platform/RegistryTextFile.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane::test {

inline void writeTextFile(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// `text` with its only occurrence of `from` replaced by `to`; fails loudly when
// `from` is not there exactly once, so an expected text is never built wrong.
inline std::string replacedOnce(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos || text.find(from, at + 1) != std::string::npos) {
        throw std::logic_error("test text does not hold exactly one " + std::string(from));
    }
    return text.replace(at, from.size(), to);
}

// A prefix folder with `dosdevices/c:` -> `../drive_c` and, unless `systemReg`
// is empty, that text as its system.reg.
inline void makeWinePrefix(const std::filesystem::path& prefix, std::string_view systemReg) {
    std::filesystem::create_directories(prefix / "drive_c");
    std::filesystem::create_directories(prefix / "dosdevices");
    std::filesystem::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    if (!systemReg.empty()) {
        writeTextFile(prefix / "system.reg", systemReg);
    }
}

// A 32-bit prefix's hive: the game's key between neighbours whose names begin
// the same way, so a lookup that matches a prefix of a name shows.
inline constexpr std::string_view kPlainHive =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Maxis\\\\The Sims] 1600000000\n"
    "#time=1d6a0b0c0d0e0f0\n"
    "\"SIMS_DATA\"=\"C:\\\\Program Files\\\\Maxis\\\\The Sims\\\\\"\n"
    "\"SIMS_DATA_OLD\"=\"C:\\\\Old\\\\\"\n"
    "\"SIMS_LANGUAGE\"=\"USEnglish\"\n"
    "\"Installed\"=dword:00000001\n"
    "\n"
    "[Software\\\\Maxis\\\\The Sims\\\\Expansions] 1600000001\n"
    "\"SIMS_LANGUAGE\"=\"subkey\"\n"
    "\n"
    "[Software\\\\Maxis\\\\The Sims 2] 1600000002\n"
    "\"SIMS_DATA\"=\"C:\\\\Other\\\\\"\n"
    "\"Count\"=dword:00000003\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1600000003\n"
    "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n";

// A 64-bit prefix's hive: the 32-bit game's key only under Wow6432Node.
inline constexpr std::string_view kWow64Hive =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1600000003\n"
    "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1600000004\n"
    "#time=1d6a0b0c0d0e0f1\n"
    "\"SIMS_DATA\"=\"C:\\\\Program Files (x86)\\\\Maxis\\\\The Sims\\\\\"\n"
    "\"SIMS_LANGUAGE\"=\"French\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Microsoft] 1600000005\n"
    "\"Version\"=\"1\"\n";

}  // namespace corvane::test
