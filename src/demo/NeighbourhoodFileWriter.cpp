#include "demo/NeighbourhoodFileWriter.h"

#include "demo/IffFileWriter.h"
#include "iff/IffContainer.h"
#include "iff/StringTable.h"

namespace corvane {

namespace {

class Data {
public:
    void u32(std::uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i))); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u16(std::uint16_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); bytes.push_back(static_cast<std::uint8_t>(v >> 8)); }
    void text(const std::string& t) { bytes.insert(bytes.end(), t.begin(), t.end()); }
    std::vector<std::uint8_t> bytes;
};

void writeNeighbour(Data& data, const NeighbourSpec& n) {
    data.u32(1);
    data.u32(static_cast<std::uint32_t>(n.recordVersion));
    if (n.recordVersion == 10) data.u32(9);
    data.text(n.fileName);
    data.bytes.push_back(0);
    if (n.fileName.size() % 2 == 0) data.bytes.push_back(0);
    data.u32(0);
    data.u32(9);  // person mode
    const int values = n.recordVersion == 10 ? 256 : 80;
    for (int k = 0; k < values; ++k) {
        auto value = n.personData.find(k);
        data.u16(value == n.personData.end() ? 0 : value->second);
    }
    data.u16(static_cast<std::uint16_t>(n.neighbourId));
    data.u32(n.guid);
    data.i32(n.hasRelationships ? -1 : 0);
    data.i32(static_cast<std::int32_t>(n.relationships.size()));
    for (const RelationshipSpec& r : n.relationships) {
        data.i32(1);
        data.i32(r.target);
        data.i32(static_cast<std::int32_t>(r.values.size()));
        for (std::int32_t v : r.values) data.i32(v);
    }
}

std::vector<std::uint8_t> familyData(const FamilySpec& family) {
    Data data;
    data.u32(0);
    data.u32(9);
    data.text("IMAF");
    data.i32(family.house);
    data.i32(family.chunkId);  // family number
    data.i32(family.cash);
    data.i32(family.assets);
    data.i32(0);  // friends
    data.i32(0);  // flags
    data.u32(static_cast<std::uint32_t>(family.members.size()));
    for (std::uint32_t guid : family.members) data.u32(guid);
    data.bytes.insert(data.bytes.end(), 16, 0);
    return data.bytes;
}

}  // namespace

std::vector<std::uint8_t> MakeNeighbourhoodFile(const NeighbourhoodFileSpec& spec) {
    Data ngbh;
    ngbh.u32(0);
    ngbh.u32(spec.version);
    ngbh.text("HBGN");
    ngbh.bytes.insert(ngbh.bytes.end(), 64, 0);

    Data nbrs;
    nbrs.u32(0);
    nbrs.u32(spec.version);
    nbrs.text("SRBN");
    nbrs.u32(static_cast<std::uint32_t>(spec.neighbours.size()));
    for (const NeighbourSpec& neighbour : spec.neighbours) writeNeighbour(nbrs, neighbour);

    std::vector<std::vector<std::uint8_t>> chunks{MakeChunk("NGBH", 1, 0, "", ngbh.bytes),
                                                  MakeChunk("NBRS", 1, 0, "", nbrs.bytes)};
    for (const FamilySpec& family : spec.families) {
        chunks.push_back(MakeChunk("FAMI", family.chunkId, 0, "", familyData(family)));
        chunks.push_back(MakeChunk("FAMs", family.chunkId, 0, "", WriteStringTable({{1, family.name, {}}})));
    }
    chunks.push_back(MakeChunk("TATT", 1, 0, "", std::vector<std::uint8_t>(40, 0)));
    return MakeIffFile(chunks);
}

std::uint16_t NeighbourhoodVersionFor(int expansionLevel) {
    static constexpr std::uint16_t kVersions[] = {60, 62, 64, 66, 68, 69, 72, 73};
    return kVersions[expansionLevel < 0 ? 0 : expansionLevel > 7 ? 7 : expansionLevel];
}

int NeighbourRecordVersionFor(int expansionLevel) {
    return expansionLevel >= 6 ? 10 : 4;
}

}  // namespace corvane
