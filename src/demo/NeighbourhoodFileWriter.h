#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvane {

// One relationship record: the other character and its values (daily,
// crush, lifetime, love, … — as many as the record holds).
struct RelationshipSpec {
    std::int32_t target = 0;
    std::vector<std::int32_t> values;
};

// A neighbour record of the NBRS chunk.
struct NeighbourSpec {
    std::string fileName = "User00001";  // nine characters, as the game names them
    std::int32_t neighbourId = 1;
    std::uint32_t guid = 0x01020304;
    int recordVersion = 4;               // 4: 80 person values, 10: 256
    std::map<int, std::uint16_t> personData;  // index -> value
    bool hasRelationships = true;             // the marker -1 before the block
    std::vector<RelationshipSpec> relationships;
};

// A household: FAMI record and FAMs name, with the same chunk id.
struct FamilySpec {
    std::uint16_t chunkId = 1;
    std::string name = "Goth";
    std::int32_t house = 10;
    std::int32_t cash = 20000;
    std::int32_t assets = 5000;
    std::vector<std::uint32_t> members;  // GUIDs
};

struct NeighbourhoodFileSpec {
    std::uint16_t version = 73;  // the game version at file offset 144
    std::vector<NeighbourSpec> neighbours;
    std::vector<FamilySpec> families;
};

// neighborhood.iff: NGBH (with the version), NBRS, the families' FAMI and
// FAMs pairs, a TATT chunk, and a resource map.
std::vector<std::uint8_t> MakeNeighbourhoodFile(const NeighbourhoodFileSpec& spec);

// The neighbourhood version the game writes at an expansion level.
std::uint16_t NeighbourhoodVersionFor(int expansionLevel);

// The neighbour-record version the game writes at an expansion level (4, or 10 from the sixth pack on).
int NeighbourRecordVersionFor(int expansionLevel);

}  // namespace corvane
