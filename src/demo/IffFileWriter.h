#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

// An IFF file as the game writes them: the 60-byte signature text, the map
// offset, the given whole chunks (see MakeChunk), then the resource map.
std::vector<std::uint8_t> MakeIffFile(const std::vector<std::vector<std::uint8_t>>& chunks);

}  // namespace corvane
