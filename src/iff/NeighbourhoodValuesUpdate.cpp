#include "iff/NeighbourhoodValuesUpdate.h"

#include "iff/NeighbourRecordLayout.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/FormatError.h"

#include <optional>

namespace corvane {

namespace {

constexpr const char* kFile = "neighborhood.iff";

// Writes `count` little-endian bytes of `value` at `position` where they
// differ; true when a byte changed. A position past the end (the file was
// cut or changed since it was read) throws FormatError naming it.
bool writeIfDifferent(std::vector<std::uint8_t>& file, std::size_t position, std::uint32_t value, int count) {
    if (position > file.size() || file.size() - position < static_cast<std::size_t>(count)) {
        throw FormatError(kFile, position,
                          "a stored position lies past the end of the file (" + std::to_string(file.size()) + " bytes)");
    }
    ByteReader reader(file, kFile);
    reader.seek(position);
    const std::uint32_t stored = count == 2 ? reader.u16le() : reader.u32le();
    const std::uint32_t wanted = count == 2 ? (value & 0xFFFFu) : value;
    if (stored == wanted) return false;
    ByteWriter writer(file, kFile);
    writer.seek(position);
    if (count == 2) {
        writer.u16le(static_cast<std::uint16_t>(wanted));
    } else {
        writer.u32le(wanted);
    }
    return true;
}

bool written(PersonDataWrite write, const Sim& sim, int expansionLevel) {
    switch (write) {
        case PersonDataWrite::Always: return true;
        case PersonDataWrite::Interest: return expansionLevel > 2;
        case PersonDataWrite::AdultInterest: return expansionLevel > 2 && sim.Age > 9;
        case PersonDataWrite::Fame: return sim.PersonDataValues == kNewerPersonDataValues;
        case PersonDataWrite::Never: return false;
    }
    return false;
}

// The 32-bit value at `position`, or nothing past the end.
std::optional<std::uint32_t> storedAt(const std::vector<std::uint8_t>& file, std::size_t position) {
    if (position > file.size() || file.size() - position < 4) return std::nullopt;
    ByteReader reader(file, kFile);
    reader.seek(position);
    return reader.u32le();
}

bool writeRelationships(std::vector<std::uint8_t>& file, const Sim& sim) {
    bool changed = false;
    for (const SimRelationShip& r : sim.Relationships) {
        const auto at = static_cast<std::size_t>(r.RecordPos);
        // Only where the record still holds this target and this many values.
        if (r.RecordPos <= 0 || storedAt(file, at) != static_cast<std::uint32_t>(r.TargetID) ||
            storedAt(file, at + 4) != static_cast<std::uint32_t>(r.ValueCount)) {
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
    for (const PersonDataField& field : kPersonDataFields) {
        if (written(field.write, sim, expansionLevel)) {
            // Person data are 16-bit: the field's low 16 bits.
            changed |= writeIfDifferent(file, p + static_cast<std::size_t>(field.offset),
                                        static_cast<std::uint32_t>(sim.*field.field), 2);
        }
    }
    step = "Updating Relationships";
    changed |= writeRelationships(file, sim);
    return changed;
}

}  // namespace corvane
