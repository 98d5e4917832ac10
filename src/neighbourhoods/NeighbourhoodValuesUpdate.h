#pragma once

#include "sim/Sim.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// Writes one character's person data, its family's cash and its
// relationship values into neighborhood.iff's bytes (read fresh from the
// file; the caller writes them back when something changed), each at the position it
// was read from, and only where the bytes differ. A record without a
// neighbour entry writes no person data and no relationships. Returns
// whether any byte changed. `step` names what it is doing, for the save's
// failure message.
bool UpdateNeighborhoodValues(std::vector<std::uint8_t>& file, const Sim& sim, int expansionLevel, std::string& step);

}  // namespace corvane
