#include "sim/RecordMerge.h"

#include "sim/SimFields.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace corvane {

namespace {

// Where the record stands in the files and the save's bookkeeping: never a
// user's change, always as the files or the edits have them.
constexpr std::array<std::string_view, 10> kNotMerged{
    "FileName", "NeighborID", "NeighborEntryPos", "GUID", "FamilyChunkPos",
    "Modified", "LastNameChanged", "FamilyChanged", "ResetThumbnail", "Damage",
};

template <typename Value>
std::string asText(const Value& value) {
    if constexpr (std::is_same_v<Value, std::string>) {
        return value;
    } else {
        return std::to_string(value);
    }
}

// Carries one value over. False when the question was cancelled.
template <typename Value>
bool carryOver(const Value& asRead, const Value& edited, const Value& onDisk, Value& merged, FieldConflict conflict,
               const ConflictQuestion& ask) {
    if (edited == asRead || edited == onDisk) return true;
    if (onDisk == asRead) {
        merged = edited;
        return true;
    }
    conflict.isText = std::is_same_v<Value, std::string>;
    conflict.onDisk = asText(onDisk);
    conflict.inEditor = asText(edited);
    switch (ask(conflict)) {
        case ConflictAnswer::KeepEditor: merged = edited; return true;
        case ConflictAnswer::KeepDisk: return true;
        case ConflictAnswer::Cancel: break;
    }
    return false;
}

bool carryOverFields(const Sim& asRead, const Sim& edited, const Sim& onDisk, Sim& merged, const ConflictQuestion& ask) {
    for (const SimField& field : SimFieldTable()) {
        if (std::find(kNotMerged.begin(), kNotMerged.end(), field.name) != kNotMerged.end()) continue;
        const bool settled = std::visit(
            [&](auto member) {
                return carryOver(asRead.*member, edited.*member, onDisk.*member, merged.*member,
                                 FieldConflict{std::string(field.name), 0, {}, false, {}, {}}, ask);
            },
            field.member);
        if (!settled) return false;
    }
    return true;
}

const SimRelationShip* towards(const Sim& sim, std::int32_t target) {
    const auto found = std::find_if(sim.Relationships.begin(), sim.Relationships.end(),
                                    [&](const SimRelationShip& r) { return r.TargetID == target; });
    return found == sim.Relationships.end() ? nullptr : &*found;
}

// The relationship values, matched by the other character: the files decide
// which relationships there are and where they stand.
bool carryOverRelationships(const Sim& asRead, const Sim& edited, Sim& merged, const ConflictQuestion& ask) {
    for (SimRelationShip& target : merged.Relationships) {
        const SimRelationShip* before = towards(asRead, target.TargetID);
        const SimRelationShip* after = towards(edited, target.TargetID);
        if (before == nullptr || after == nullptr) continue;
        const SimRelationShip onDisk = target;
        const std::string name = onDisk.TargetFirstName + " " + onDisk.TargetLastName;
        for (const auto& [field, value] : {std::pair{"Daily", &SimRelationShip::Daily},
                                           std::pair{"Lifetime", &SimRelationShip::Lifetime},
                                           std::pair{"Crush", &SimRelationShip::Crush},
                                           std::pair{"Love", &SimRelationShip::Love}}) {
            if (!carryOver(before->*value, after->*value, onDisk.*value, target.*value,
                           FieldConflict{field, target.TargetID, name, false, {}, {}}, ask)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::optional<Sim> MergeUserChanges(const Sim& asRead, const Sim& edited, const Sim& onDisk, const ConflictQuestion& ask) {
    Sim merged = onDisk;
    if (!carryOverFields(asRead, edited, onDisk, merged, ask)) return std::nullopt;
    if (!carryOverRelationships(asRead, edited, merged, ask)) return std::nullopt;
    merged.Modified = edited.Modified;
    merged.LastNameChanged = edited.LastNameChanged;
    merged.FamilyChanged = edited.FamilyChanged;
    merged.ResetThumbnail = edited.ResetThumbnail;
    return merged;
}

}  // namespace corvane
