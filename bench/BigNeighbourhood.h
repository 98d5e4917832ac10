#pragma once

// A neighbourhood of many characters for the benches: every character knows
// ten others with long relationship records, so neighborhood.iff grows to
// about 4 MB at 200 characters; households of four.
#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"

#include <cstdio>
#include <string>

namespace bench {

inline std::string fileNameOf(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "User%05d", i + 1);
    return name;
}

inline std::uint32_t guidOf(int i) {
    return 0x70000000u + static_cast<std::uint32_t>(i) * 7919u;
}

// Writes "UserData" with its characters and neighborhood.iff; returns its folder.
inline std::filesystem::path WriteBigNeighbourhood(corvane::GameBuilder& game, int characters, int level) {
    corvane::NeighbourhoodFileSpec spec;
    spec.version = corvane::NeighbourhoodVersionFor(level);
    for (int i = 0; i < characters; ++i) {
        corvane::NeighbourSpec neighbour;
        neighbour.fileName = fileNameOf(i);
        neighbour.neighbourId = i + 1;
        neighbour.guid = guidOf(i);
        neighbour.recordVersion = corvane::NeighbourRecordVersionFor(level);
        neighbour.personData = {{58, 27}};
        for (int k = 0; k < 10; ++k) {
            neighbour.relationships.push_back({(i + k) % characters + 1, std::vector<std::int32_t>(500, 10)});
        }
        spec.neighbours.push_back(neighbour);
        corvane::CharacterFileSpec character;
        character.fileName = fileNameOf(i);
        character.guid = guidOf(i);
        character.bodyStrings = corvane::StandardBodyStrings("adult", level);
        game.writeFile("UserData/Characters/" + fileNameOf(i) + ".iff", corvane::MakeCharacterFile(character));
    }
    for (int f = 0; f < characters / 4; ++f) {
        corvane::FamilySpec family{static_cast<std::uint16_t>(f + 1), "Family" + std::to_string(f), f + 1, 1000, 2000, {}};
        for (int m = 0; m < 4; ++m) family.members.push_back(guidOf(f * 4 + m));
        spec.families.push_back(family);
    }
    game.writeFile("UserData/neighborhood.iff", corvane::MakeNeighbourhoodFile(spec));
    return game.root() / "UserData";
}

}  // namespace bench
