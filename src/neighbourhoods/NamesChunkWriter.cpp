#include "neighbourhoods/NamesChunkWriter.h"

#include "iff/IffContainer.h"
#include "platform/TextLines.h"

namespace corvane {

namespace {

constexpr std::uint16_t kNamesId = 2000;
constexpr std::uint16_t kNamesFlags = 0x10;
constexpr std::uint8_t kPadding = 0xA3;

void appendText(std::vector<std::uint8_t>& data, int languageNumber, const std::string& text) {
    data.push_back(static_cast<std::uint8_t>(languageNumber));
    data.insert(data.end(), text.begin(), text.end());
    data.insert(data.end(), {0, 0});
}

}  // namespace

std::vector<std::uint8_t> MakeNamesChunk(const Sim& sim, int languageNumber) {
    std::vector<std::uint8_t> data{0xFD, 0xFF, 0x02, 0x00};
    appendText(data, languageNumber, Trimmed(sim.FirstName));
    appendText(data, languageNumber, sim.Bio);
    data.insert(data.end(), {kPadding, kPadding});
    if ((kChunkHeaderSize + data.size()) % 2 != 0) data.push_back(kPadding);
    return MakeChunk("CTSS", kNamesId, kNamesFlags, {}, data);
}

}  // namespace corvane
