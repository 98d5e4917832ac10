#include "neighbourhoods/NeighbourhoodValuesUpdate.h"

#include "neighbourhoods/NeighbourRecordLayout.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/CaseInsensitivePath.h"
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

// The record still stands where it was read: `expected` at `position`,
// letter case ignored. Otherwise the file changed since the neighbourhood was
// opened, and a value written there would land in some other record.
void requireAt(const std::vector<std::uint8_t>& file, std::size_t position, const std::string& expected,
               const std::string& what) {
    const bool there = position <= file.size() && file.size() - position >= expected.size() &&
                       EqualsIgnoreCase(std::string_view(reinterpret_cast<const char*>(file.data()) + position, expected.size()),
                                        expected);
    if (!there) {
        throw FormatError(kFile, position, what + " is no longer at this position: the file changed since the neighbourhood was opened");
    }
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
    step = "Updating Neighborhood.iff";
    if (FamilyCashWritten(sim)) {
        const auto family = static_cast<std::size_t>(sim.FamilyChunkPos);
        requireAt(file, family, "IMAF", "the family record of " + sim.FileName);
        changed |= writeIfDifferent(file, family + 12, static_cast<std::uint32_t>(sim.FamilyCash), 4);
    }
    if (!sim.hasNeighbourEntry()) {
        return changed;
    }
    const auto p = static_cast<std::size_t>(sim.NeighborEntryPos);
    requireAt(file, p, sim.FileName + std::string(1, '\0'), "the neighbour record of " + sim.FileName);
    for (const PersonDataField& field : kPersonDataFields) {
        if (PersonDataWritten(field.write, sim, expansionLevel)) {
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
