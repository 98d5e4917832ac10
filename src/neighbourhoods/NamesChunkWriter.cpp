#include "neighbourhoods/NamesChunkWriter.h"

#include "iff/IffContainer.h"
#include "iff/StringTable.h"
#include "platform/FormatError.h"
#include "platform/TextLines.h"

namespace corvane {

namespace {

constexpr std::uint16_t kNamesId = 2000;
constexpr std::uint16_t kNamesFlags = 0x10;
constexpr std::uint8_t kPadding = 0xA3;

std::vector<StringTableEntry> oldStrings(std::span<const std::uint8_t> oldData) {
    if (oldData.empty()) return {};
    try {
        return ReadStringTable(oldData, "CTSS");
    } catch (const FormatError&) {
        return {};  // the loader read no names from it either
    }
}

// The edited language's strings replaced by the name and the biography.
std::vector<StringTableEntry> withEditedLanguage(std::vector<StringTableEntry> strings, int languageNumber,
                                                 const std::string& name, const std::string& bio) {
    int seen = 0;
    auto place = strings.end();
    for (auto it = strings.begin(); it != strings.end();) {
        if (it->language != languageNumber) {
            ++it;
            continue;
        }
        if (seen >= 2) {
            it = strings.erase(it);
            continue;
        }
        it->value = seen++ == 0 ? name : bio;
        place = ++it;
    }
    if (seen == 0) place = strings.insert(place, {languageNumber, name, {}}) + 1;
    if (seen < 2) strings.insert(place, {languageNumber, bio, {}});
    return strings;
}

}  // namespace

std::vector<std::uint8_t> MakeNamesChunk(const Sim& sim, int languageNumber, std::span<const std::uint8_t> oldData) {
    std::vector<std::uint8_t> data =
        WriteStringTable(withEditedLanguage(oldStrings(oldData), languageNumber, Trimmed(sim.FirstName), sim.Bio));
    data.insert(data.end(), {kPadding, kPadding});
    if ((kChunkHeaderSize + data.size()) % 2 != 0) data.push_back(kPadding);
    return MakeChunk("CTSS", kNamesId, kNamesFlags, {}, data);
}

}  // namespace corvane
