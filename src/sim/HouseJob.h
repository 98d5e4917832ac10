#pragma once

#include "sim/Sim.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

// Career numbers as the career list offers them: index 0..10 are careers
// 0..10, and from index 11 on the career is index + 1 (career 11 does not exist).
inline constexpr std::int32_t kSchoolCareer = 65535;
int CareerForIndex(int index);
int IndexForCareer(int career);

// How many careers the list offers: one (school) at Age 9, else 11, 16 or 21 by level.
int OfferedCareers(int age, int expansionLevel);

// The job-title message ids of a career (levels 0..9; one entry for career
// 0); children see the school titles.
std::vector<int> JobTitleIds(int career, bool schoolTitles);

// The family list: the character's own family first, then the household it
// was loaded in (after a move it may have no other member to list it), then
// every other family with a house, each text ("LastName : HouseNumber") once.
std::vector<std::string> FamilyListTexts(const Sim& sim, const std::vector<Sim*>& characters,
                                         const std::string& loadedLastName, std::int32_t loadedHouse);
std::string FamilyText(const Sim& sim);
std::string FamilyText(const std::string& lastName, std::int32_t houseNumber);
// The last name and house number of a family text; nothing when it is none.
std::optional<std::pair<std::string, std::int32_t>> ParseFamilyText(const std::string& text);

// The cash box holds at most eight characters.
inline constexpr int kCashDigits = 8;

// The cash box's text (UTF-8) with every character that is not a digit made
// "0", cut to what the box holds.
std::string FilterCash(const std::string& text);
// The text as a number; 0 when empty or out of range.
std::int32_t CashValue(const std::string& text);

// A half-star value as stars: "3.5" or "3".
std::string Stars(int halfStars);

// Fame sliders keep each other consistent; these give the values the other
// sliders move to when one moves.
struct Fame {
    int score;
    int power;
    int watermark;
};
Fame AfterPowerMoved(Fame fame);
Fame AfterWatermarkMoved(Fame fame);
Fame AfterScoreMoved(Fame fame);

}  // namespace corvane
