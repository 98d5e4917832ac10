#pragma once

#include "sim/Sim.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// Writes one character's person data, its family's cash and its
// relationship values into neighborhood.iff's bytes, each at the position it
// was read from, and only where the bytes differ. A record without a
// neighbour entry writes no person data and no relationships. Returns
// whether any byte changed. `step` names what it is doing, for the save's
// failure message.
bool UpdateNeighborhoodBytes(std::vector<std::uint8_t>& file, const Sim& sim, int expansionLevel, std::string& step);

// The same on the file itself: read, changed in memory, written back
// all-or-nothing when something changed. Throws on failure, `step` telling where.
// `gameFolder` places the copy the first write of a run keeps.
bool UpdateNeighborhoodValues(const std::filesystem::path& file, const Sim& sim, int expansionLevel, std::string& step,
                              const std::filesystem::path& gameFolder);

}  // namespace corvane
