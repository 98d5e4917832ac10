#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane {

/*
 String-table chunk data (CTSS, STR#, FAMs), little-endian:
   0  u16  format: 0xFFFD (entries carry a language byte) or 0xFFFE (they do not)
   2  u16  number of strings
   4  entries: [language byte], value, 00, comment, 00
*/

struct StringTableEntry {
    int language = 1;  // the game's language number; 1 for tables without language bytes
    std::string value;
    std::string comment;
};

// Reads a string table. Throws FormatError on an unknown format or when an
// entry runs past the data.
std::vector<StringTableEntry> ReadStringTable(std::span<const std::uint8_t> data, const std::string& fileName);

// A 0xFFFD table: each entry with its language byte, value and comment.
std::vector<std::uint8_t> WriteStringTable(const std::vector<StringTableEntry>& entries);

}  // namespace corvane
