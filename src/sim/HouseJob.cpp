#include "sim/HouseJob.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace corvane {

int CareerForIndex(int index) {
    return index <= 10 ? index : index + 1;
}

int IndexForCareer(int career) {
    return career > 10 ? career - 1 : career;
}

int OfferedCareers(int age, int expansionLevel) {
    if (age == 9) return 1;
    if (expansionLevel == 0) return 11;
    return expansionLevel <= 4 ? 16 : 21;
}

std::vector<int> JobTitleIds(int career, bool schoolTitles) {
    if (!schoolTitles && career == 0) {
        return {2200};
    }
    const int base = schoolTitles ? 1100 : career * 100;
    std::vector<int> ids;
    for (int level = 0; level < 10; ++level) ids.push_back(base + level);
    return ids;
}

std::string FamilyText(const std::string& lastName, std::int32_t houseNumber) {
    return lastName + " : " + std::to_string(houseNumber);
}

std::string FamilyText(const Sim& sim) {
    return FamilyText(sim.LastName, sim.HouseNumber);
}

std::optional<std::pair<std::string, std::int32_t>> ParseFamilyText(const std::string& text) {
    const auto separator = text.rfind(" : ");
    if (separator == std::string::npos) return std::nullopt;
    const std::string number = text.substr(separator + 3);
    std::int32_t house = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), house);
    if (error != std::errc() || end != number.data() + number.size() || number.empty()) return std::nullopt;
    return std::pair{text.substr(0, separator), house};
}

std::vector<std::string> FamilyListTexts(const Sim& sim, const std::vector<Sim*>& characters,
                                         const std::string& loadedLastName, std::int32_t loadedHouse) {
    std::vector<std::string> texts{FamilyText(sim)};
    if (const std::string loaded = FamilyText(loadedLastName, loadedHouse); loaded != texts.front()) {
        texts.push_back(loaded);
    }
    for (const Sim* other : characters) {
        const std::string text = FamilyText(*other);
        if (other->HouseNumber != 0 && std::find(texts.begin(), texts.end(), text) == texts.end()) {
            texts.push_back(text);
        }
    }
    return texts;
}

std::string FilterCash(const std::string& text) {
    std::string digits;
    for (std::size_t i = 0; i < text.size() && digits.size() < kCashDigits; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        digits += byte >= '0' && byte <= '9' ? static_cast<char>(byte) : '0';
        // The continuation bytes of a character belong to the character already made "0".
        while (byte >= 0xC0 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) ++i;
    }
    return digits;
}

std::int32_t CashValue(const std::string& text) {
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (ec != std::errc() || end != text.data() + text.size()) ? 0 : value;
}

std::string Stars(int halfStars) {
    return std::to_string(halfStars / 2) + (halfStars % 2 != 0 ? ".5" : "");
}

Fame AfterPowerMoved(Fame fame) {
    if (fame.watermark < fame.power) fame.watermark = fame.power;
    if (fame.power > 0 && fame.score == 0) fame.score = 1;
    return fame;
}

Fame AfterWatermarkMoved(Fame fame) {
    if (fame.watermark < fame.power) fame.power = fame.watermark;
    if (fame.watermark > 0 && fame.score == 0) fame.score = 1;
    return fame;
}

Fame AfterScoreMoved(Fame fame) {
    if (fame.power > 0 && fame.score == 0) {
        fame.watermark = 0;
        fame.power = 0;
    }
    return fame;
}

}  // namespace corvane
