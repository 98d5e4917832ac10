#include "iff/NeighbourhoodValuesUpdate.h"
#include "platform/LittleEndian.h"

#include "platform/FormatError.h"

namespace corvane {

namespace {

struct PersonValue {
    int offset;  // from the start of the file name in the neighbour record
    std::int32_t Sim::*field;
};

constexpr PersonValue kInterests[] = {{110, &Sim::Travel}, {116, &Sim::Sixties}, {122, &Sim::Music},
                                      {112, &Sim::Money},  {118, &Sim::Weather}, {124, &Sim::Outdoors},
                                      {114, &Sim::Politics}, {120, &Sim::Sports}};
constexpr PersonValue kAdultInterests[] = {{44, &Sim::Exercise}, {46, &Sim::Food},   {70, &Sim::Hollywood},
                                           {50, &Sim::Parties},  {58, &Sim::Style},  {126, &Sim::Technology},
                                           {128, &Sim::Romance}};
constexpr PersonValue kAlways[] = {
    {22, &Sim::Nice},        {24, &Sim::Active},     {28, &Sim::Playful},   {30, &Sim::Outgoing},
    {32, &Sim::Neat},        {36, &Sim::Cleaning},   {38, &Sim::Cooking},   {40, &Sim::Charisma},
    {42, &Sim::Mechanical},  {48, &Sim::Creativity}, {52, &Sim::Body},      {54, &Sim::Logic},
    {130, &Sim::Career},     {132, &Sim::JobLevel},  {134, &Sim::Age},      {138, &Sim::SkinColor},
    {144, &Sim::JobPerformance}, {148, &Sim::Gender}, {152, &Sim::HauntAddress}, {154, &Sim::Ghost}};
constexpr PersonValue kFame[] = {{178, &Sim::FameScore}, {180, &Sim::FameStarPower},
                                 {182, &Sim::FameStarHighWatermark}};

// Writes `count` little-endian bytes of `value` at `position` where they
// differ; true when a byte changed.
bool writeIfDifferent(std::vector<std::uint8_t>& file, std::size_t position, std::uint32_t value, int count) {
    if (position + static_cast<std::size_t>(count) > file.size()) {
        throw FormatError("neighborhood.iff", position, "a stored position lies past the end of the file");
    }
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        const auto byte = static_cast<std::uint8_t>(value >> (8 * i));
        std::uint8_t& stored = file[position + static_cast<std::size_t>(i)];
        changed = changed || stored != byte;
        stored = byte;
    }
    return changed;
}

template <std::size_t N>
bool writePersonValues(std::vector<std::uint8_t>& file, std::size_t p, const Sim& sim, const PersonValue (&values)[N]) {
    bool changed = false;
    for (const PersonValue& value : values) {
        // Person data are 16-bit: the field's low 16 bits.
        changed |= writeIfDifferent(file, p + static_cast<std::size_t>(value.offset),
                                    static_cast<std::uint32_t>(sim.*value.field) & 0xFFFFu, 2);
    }
    return changed;
}

bool writeRelationships(std::vector<std::uint8_t>& file, const Sim& sim) {
    bool changed = false;
    for (const SimRelationShip& r : sim.Relationships) {
        const auto at = static_cast<std::size_t>(r.RecordPos);
        // Only where the record still holds this target and this many values.
        if (r.RecordPos <= 0 || U32LeAt(file, at) != static_cast<std::uint32_t>(r.TargetID) ||
            U32LeAt(file, at + 4) != static_cast<std::uint32_t>(r.ValueCount)) {
            continue;
        }
        const std::int32_t values[] = {r.Daily, r.Crush, r.Lifetime, r.Love};
        for (int k = 0; k < 4 && k < r.ValueCount; ++k) {
            changed |= writeIfDifferent(file, at + 8 + 4 * static_cast<std::size_t>(k),
                                        static_cast<std::uint32_t>(values[k]), 4);
        }
    }
    return changed;
}

}  // namespace

bool UpdateNeighborhoodValues(std::vector<std::uint8_t>& file, const Sim& sim, int expansionLevel, std::string& step) {
    bool changed = false;
    if (sim.FamilyChunkPos != 0 && sim.HouseNumber != 0) {
        step = "Updating Neighborhood.iff";
        if (!sim.FamilyChanged) {
            changed |= writeIfDifferent(file, static_cast<std::size_t>(sim.FamilyChunkPos) + 12,
                                        static_cast<std::uint32_t>(sim.FamilyCash), 4);
        }
    }
    if (!sim.hasNeighbourEntry()) {
        return changed;
    }
    const auto p = static_cast<std::size_t>(sim.NeighborEntryPos);
    if (expansionLevel > 2) {
        changed |= writePersonValues(file, p, sim, kInterests);
        if (sim.Age > 9) {
            changed |= writePersonValues(file, p, sim, kAdultInterests);
        }
    }
    changed |= writePersonValues(file, p, sim, kAlways);
    if (sim.PersonDataValues == 256) {
        changed |= writePersonValues(file, p, sim, kFame);
    }
    step = "Updating Relationships";
    changed |= writeRelationships(file, sim);
    return changed;
}

}  // namespace corvane
