#pragma once

#include "sim/Sim.h"

#include <cstdint>
#include <vector>

namespace corvane {

// The character's names chunk (CTSS, id 2000) as a save writes it: the
// first name, blanks trimmed, and the biography, both in the current
// language only.
std::vector<std::uint8_t> MakeNamesChunk(const Sim& sim, int languageNumber);

}  // namespace corvane
