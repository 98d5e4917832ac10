#pragma once

#include "sim/Sim.h"
#include "skins/InstalledSkins.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The body-strings entries a save writes for a character: age group, the
// skins (each only when both its mesh and texture are installed), the carried
// entries, gender, skin age and tone, and the newer outfits by expansion
// level (30 entries below level 3, 33 at 3, 34 at 4 and 5, 35 from 6).
// A skin the record names but the save writes as an empty entry, because its
// mesh or its texture is not installed (so the game would find nothing).
struct ClearedSkin {
    std::string_view meshField;     // "FormalMesh"
    std::string_view textureField;  // "FormalTexture"
    std::string mesh;
    std::string texture;
    bool meshInstalled = false;
    bool textureInstalled = false;
};
struct BodyStringEntries {
    std::vector<std::string> values;
    bool headMissing = false;  // the head is not installed: the character's images must be drawn again
    std::vector<ClearedSkin> cleared;  // each slot once, in the order of the entries
};
BodyStringEntries BuildBodyStrings(const Sim& sim, int expansionLevel, const InstalledSkins& installed);

// The body-strings chunk: the 80-byte head the chunk had when it was read
// (its count and size set anew), the entries, and the 0xA3 padding.
// Nothing when the character had no readable body strings to start from.
std::optional<std::vector<std::uint8_t>> MakeBodyStringsChunk(const std::string& head,
                                                              const std::vector<std::string>& entries);

}  // namespace corvane
