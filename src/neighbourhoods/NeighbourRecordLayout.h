#pragma once

#include "sim/Sim.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane {

/*
 A neighbour record in the NBRS chunk of neighborhood.iff. P is the position
 of the character's file base name, where the record search finds it; every
 offset below counts from P. N is the length of the person-data array: 80
 values in older records (record version 4), 256 from the sixth expansion on
 (version 10).

   P-8   u32    record version 10, only in the longer records
   P-4   u32    4 (older records) or 9 (longer records)
   P     text   the file base name, NUL, one pad byte when the name's length is even
   P+10  u32    0
   P+14  u32    person mode
   P+18  i16×N  person data, value k at P+18+2k (fields and what is written: below)
   I     u16    neighbour id               I = P+18+2N: P+178 or P+530
   I+2   u32    the character's GUID
   I+6   i32    marker, -1 when relationships follow      P+184 or P+536
   I+10  i32    number of relationship records            P+188 or P+540
   I+14  records, each: i32 key count (the first one's is 1), i32 target
         neighbour id, i32 value count C, C × i32 values (Daily, Crush,
         Lifetime, Love, …); the next starts 12 + 4C bytes on   P+192 or P+544
*/

inline constexpr int kOlderPersonDataValues = 80;
inline constexpr int kNewerPersonDataValues = 256;

// When the save writes a person-data value back.
enum class PersonDataWrite {
    Always,
    Interest,       // from the third expansion on
    AdultInterest,  // from the third expansion on, for an Age above 9
    Fame,           // in 256-value arrays only (also read only there)
    Never,          // read, never written
};

struct PersonDataField {
    int offset;  // from P
    std::int32_t Sim::*field;
    PersonDataWrite write;
};

inline constexpr std::array<PersonDataField, 39> kPersonDataFields{{
    {22, &Sim::Nice, PersonDataWrite::Always},
    {24, &Sim::Active, PersonDataWrite::Always},
    {28, &Sim::Playful, PersonDataWrite::Always},
    {30, &Sim::Outgoing, PersonDataWrite::Always},
    {32, &Sim::Neat, PersonDataWrite::Always},
    {36, &Sim::Cleaning, PersonDataWrite::Always},
    {38, &Sim::Cooking, PersonDataWrite::Always},
    {40, &Sim::Charisma, PersonDataWrite::Always},
    {42, &Sim::Mechanical, PersonDataWrite::Always},
    {44, &Sim::Exercise, PersonDataWrite::AdultInterest},
    {46, &Sim::Food, PersonDataWrite::AdultInterest},
    {48, &Sim::Creativity, PersonDataWrite::Always},
    {50, &Sim::Parties, PersonDataWrite::AdultInterest},
    {52, &Sim::Body, PersonDataWrite::Always},
    {54, &Sim::Logic, PersonDataWrite::Always},
    {58, &Sim::Style, PersonDataWrite::AdultInterest},
    {70, &Sim::Hollywood, PersonDataWrite::AdultInterest},
    {110, &Sim::Travel, PersonDataWrite::Interest},
    {112, &Sim::Money, PersonDataWrite::Interest},
    {114, &Sim::Politics, PersonDataWrite::Interest},
    {116, &Sim::Sixties, PersonDataWrite::Interest},
    {118, &Sim::Weather, PersonDataWrite::Interest},
    {120, &Sim::Sports, PersonDataWrite::Interest},
    {122, &Sim::Music, PersonDataWrite::Interest},
    {124, &Sim::Outdoors, PersonDataWrite::Interest},
    {126, &Sim::Technology, PersonDataWrite::AdultInterest},
    {128, &Sim::Romance, PersonDataWrite::AdultInterest},
    {130, &Sim::Career, PersonDataWrite::Always},
    {132, &Sim::JobLevel, PersonDataWrite::Always},
    {134, &Sim::Age, PersonDataWrite::Always},
    {138, &Sim::SkinColor, PersonDataWrite::Always},
    {140, &Sim::FamilyNumber, PersonDataWrite::Never},
    {144, &Sim::JobPerformance, PersonDataWrite::Always},
    {148, &Sim::Gender, PersonDataWrite::Always},
    {152, &Sim::HauntAddress, PersonDataWrite::Always},
    {154, &Sim::Ghost, PersonDataWrite::Always},
    {178, &Sim::FameScore, PersonDataWrite::Fame},
    {180, &Sim::FameStarPower, PersonDataWrite::Fame},
    {182, &Sim::FameStarHighWatermark, PersonDataWrite::Fame},
}};

// Whether the save writes a value of this kind back for `sim` at `expansionLevel`.
constexpr bool PersonDataWritten(PersonDataWrite write, const Sim& sim, int expansionLevel) {
    switch (write) {
        case PersonDataWrite::Always: return true;
        case PersonDataWrite::Interest: return expansionLevel > 2;
        case PersonDataWrite::AdultInterest: return expansionLevel > 2 && sim.Age > 9;
        case PersonDataWrite::Fame: return sim.PersonDataValues == kNewerPersonDataValues;
        case PersonDataWrite::Never: return false;
    }
    return false;
}

// The family's cash is written into its family record (at F+12) while the
// record was found, the family has a house and the character stays in it.
constexpr bool FamilyCashWritten(const Sim& sim) {
    return sim.FamilyChunkPos != 0 && sim.HouseNumber != 0 && !sim.FamilyChanged;
}

// The positions after the person data, from P, for an array of `values` values.
struct NeighbourRecordTail {
    std::size_t neighbourId;
    std::size_t marker;
    std::size_t relationshipCount;
    std::size_t firstRelationship;
};

constexpr NeighbourRecordTail NeighbourRecordTailFor(int values) {
    const std::size_t id = 18 + 2 * static_cast<std::size_t>(values);
    return {id, id + 6, id + 10, id + 14};
}

static_assert(NeighbourRecordTailFor(kOlderPersonDataValues).marker == 184);
static_assert(NeighbourRecordTailFor(kNewerPersonDataValues).firstRelationship == 544);

}  // namespace corvane
