#include "iff/StringTable.h"

#include "platform/ByteReader.h"

namespace corvane {

namespace {
constexpr std::uint16_t kWithLanguages = 0xFFFD;
constexpr std::uint16_t kWithoutLanguages = 0xFFFE;
}  // namespace

std::vector<StringTableEntry> ReadStringTable(std::span<const std::uint8_t> data, const std::string& fileName) {
    ByteReader reader(data, fileName);
    const std::uint16_t format = reader.u16le();
    if (format != kWithLanguages && format != kWithoutLanguages) {
        reader.fail("unknown string-table format " + std::to_string(format));
    }
    const std::uint16_t count = reader.u16le();
    reader.requireElements(count, format == kWithLanguages ? 3 : 2);
    std::vector<StringTableEntry> entries;
    for (std::uint16_t i = 0; i < count; ++i) {
        StringTableEntry entry;
        if (format == kWithLanguages) {
            entry.language = reader.u8();
        }
        entry.value = reader.cstring();
        entry.comment = reader.cstring();
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::uint8_t> WriteStringTable(const std::vector<StringTableEntry>& entries) {
    std::vector<std::uint8_t> out{0xFD, 0xFF, static_cast<std::uint8_t>(entries.size() & 0xFF),
                                  static_cast<std::uint8_t>(entries.size() >> 8)};
    for (const StringTableEntry& entry : entries) {
        out.push_back(static_cast<std::uint8_t>(entry.language));
        out.insert(out.end(), entry.value.begin(), entry.value.end());
        out.push_back(0);
        out.insert(out.end(), entry.comment.begin(), entry.comment.end());
        out.push_back(0);
    }
    return out;
}

}  // namespace corvane
