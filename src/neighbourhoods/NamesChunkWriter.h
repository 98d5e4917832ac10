#pragma once

#include "sim/Sim.h"

#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

// The character's names chunk (CTSS, id 2000) as a save writes it: the first
// name, blanks trimmed, and the biography in `languageNumber`, where that
// language's first two strings stood (any further strings of it were read
// into the biography and go), or at the end when it had none. The strings of
// every other language stay as they were in `oldData`, the data of the chunk
// as read (empty, or a table that does not read: nothing to keep).
std::vector<std::uint8_t> MakeNamesChunk(const Sim& sim, int languageNumber,
                                         std::span<const std::uint8_t> oldData = {});

}  // namespace corvane
