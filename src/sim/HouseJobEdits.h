#pragma once

#include "sim/Document.h"
#include "sim/HouseJob.h"

namespace corvane {

// The career: a child's is always school (65535); an adult's career 0 also
// takes job level 0.
void SetCareer(Document& document, Sim& sim, int career);
void SetJobLevel(Document& document, Sim& sim, int level);
void SetJobPerformance(Document& document, Sim& sim, int performance);
// "Maximize Job": the last job (the first for a child, the only one for
// career 0) and performance 100.
void MaximizeJob(Document& document, Sim& sim);

// One fame slider moved; the others follow as the sliders pull each other.
enum class FameSlider { Score, Power, Watermark };
void SetFame(Document& document, Sim& sim, FameSlider moved, int value);

// The household's cash, shared by every member of the house (only the
// character's own record counts as modified). At most the eight digits the
// cash box holds; the family needs a house.
inline constexpr std::int32_t kMostCash = 99'999'999;
void SetFamilyCash(Document& document, Sim& sim, std::int32_t cash);

// Moves the character into the household of another family. Choosing the
// household it was loaded in again takes back the move.
void MoveToHousehold(Document& document, Sim& sim, const std::string& lastName, std::int32_t houseNumber);

// Ghost "Yes" haunts the family's house, "No" no house; choosing the state
// the character is already in changes nothing.
void SetGhost(Document& document, Sim& sim, bool ghost);
// The house a ghost haunts.
void SetHauntAddress(Document& document, Sim& sim, std::int32_t houseNumber);

}  // namespace corvane
