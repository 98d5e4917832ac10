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

std::string FamilyText(const Sim& sim) {
    return sim.LastName + " : " + std::to_string(sim.HouseNumber);
}

std::vector<std::string> FamilyListTexts(const Sim& sim, const std::vector<Sim*>& characters) {
    std::vector<std::string> texts{FamilyText(sim)};
    for (const Sim* other : characters) {
        const std::string text = FamilyText(*other);
        if (other->HouseNumber != 0 && std::find(texts.begin(), texts.end(), text) == texts.end()) {
            texts.push_back(text);
        }
    }
    return texts;
}

std::string FilterCash(const std::string& text) {
    std::string digits = text;
    std::replace_if(digits.begin(), digits.end(), [](char c) { return c < '0' || c > '9'; }, '0');
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
