#pragma once

// The sound neighbourhood the neighbourhood targets start from, shared with
// the seed corpus: two households of one character each, who know each other.

#include "demo/CharacterFileWriter.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "iff/NeighborhoodImage.h"
#include "neighbourhoods/CharacterLoader.h"
#include "platform/SilentDialogs.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::fuzz {

struct Neighbour {
    const char* fileName;
    std::int32_t id;
    std::uint32_t guid;
};
inline constexpr Neighbour kNeighbours[] = {{"User00001", 1, 0x01020304}, {"User00002", 2, 0x05060708}};

// The first neighbour lives with the Goths in house 10, the second with the
// Pleasants in house 12.
inline NeighbourhoodFileSpec TwoHouseholds(int expansionLevel) {
    NeighbourhoodFileSpec spec;
    spec.version = NeighbourhoodVersionFor(expansionLevel);
    for (const Neighbour& one : kNeighbours) {
        NeighbourSpec neighbour;
        neighbour.fileName = one.fileName;
        neighbour.neighbourId = one.id;
        neighbour.guid = one.guid;
        neighbour.recordVersion = NeighbourRecordVersionFor(expansionLevel);
        neighbour.personData = {{2, 500}, {3, 400}, {16, 800}};
        spec.neighbours.push_back(neighbour);
    }
    spec.neighbours[0].relationships = {{2, {30, 0, 60, 1}}};
    spec.neighbours[1].relationships = {{1, {-20, 0, 10}}};
    FamilySpec goths;
    goths.members = {kNeighbours[0].guid};
    FamilySpec pleasants;
    pleasants.chunkId = 2;
    pleasants.name = "Pleasant";
    pleasants.house = 12;
    pleasants.members = {kNeighbours[1].guid};
    spec.families = {goths, pleasants};
    return spec;
}

inline std::vector<std::uint8_t> CharacterFileOf(const Neighbour& neighbour, int expansionLevel) {
    CharacterFileSpec spec;
    spec.fileName = neighbour.fileName;
    spec.guid = neighbour.guid;
    spec.bodyStrings = StandardBodyStrings("adult", expansionLevel);
    return MakeCharacterFile(spec);
}

// The character of neighbour number `neighbour` as the loader reads it beside `image`: the
// positions it keeps are those found in the image. Nothing when the loader
// rejects it.
inline std::unique_ptr<Sim> LoadedNeighbour(const NeighborhoodImage& image, std::size_t neighbour,
                                            int expansionLevel) {
    static const std::vector<std::uint8_t> files[] = {CharacterFileOf(kNeighbours[0], 7),
                                                      CharacterFileOf(kNeighbours[1], 7)};
    const CharacterLoadContext context{&image, 1, expansionLevel, expansionLevel >= 6, {}};
    try {
        return std::make_unique<Sim>(ReadCharacter(files[neighbour], kNeighbours[neighbour].fileName, context).sim);
    } catch (const std::runtime_error&) {
        return nullptr;
    }
}

[[noreturn]] inline void Broken() { __builtin_trap(); }

inline void Expect(bool condition) {
    if (!condition) Broken();
}

}  // namespace corvane::fuzz
