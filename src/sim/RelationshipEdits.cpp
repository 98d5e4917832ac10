#include "sim/RelationshipEdits.h"

namespace corvane {

namespace {

constexpr int kRelationshipLimit = 100;

// The record that owns a side's entry.
Sim* ownerOfSide(const Document& document, Sim& sim, const SimRelationShip& entry, RelationshipSide side) {
    return side == RelationshipSide::Toward ? &sim : OtherCharacter(document.sims(), entry);
}

template <typename Change>
void editSide(Document& document, std::string_view key, Sim& sim, SimRelationShip& entry, RelationshipSide side,
              Change change) {
    SimRelationShip* edited = EntryOfSide(document, sim, entry, side);
    Sim* owner = ownerOfSide(document, sim, entry, side);
    if (edited == nullptr || owner == nullptr) return;
    document.edit(key, [&](EditScope& scope) {
        scope.touch(*owner);
        change(*edited);
    });
}

std::string sideKey(const char* what, RelationshipSide side) {
    return std::string(what) + (side == RelationshipSide::Toward ? " 1" : " 2");
}

}  // namespace

SimRelationShip* EntryOfSide(const Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side) {
    return side == RelationshipSide::Toward ? &entry : ReverseEntry(document.sims(), sim, entry);
}

void SetRelationshipValue(Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side,
                          RelationshipValue which, int value) {
    RequireEditRange(which == RelationshipValue::Daily ? "Daily" : "Lifetime", value, -kRelationshipLimit,
                     kRelationshipLimit);
    editSide(document, sideKey(which == RelationshipValue::Daily ? "daily" : "lifetime", side), sim, entry, side,
             [&](SimRelationShip& edited) { ValueOf(edited, which) = value; });
}

void SetRelationshipFlag(Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side, bool crush,
                         bool on) {
    editSide(document, sideKey(crush ? "crush" : "love", side), sim, entry, side,
             [&](SimRelationShip& edited) { (crush ? edited.Crush : edited.Love) = on ? 1 : 0; });
    document.sealStep();
}

void MaxRelationship(Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side) {
    editSide(document, "max relationship", sim, entry, side, [](SimRelationShip& edited) {
        edited.Daily = kRelationshipLimit;
        edited.Lifetime = kRelationshipLimit;
    });
    document.sealStep();
}

void MaxBothRelationships(Document& document, Sim& sim, SimRelationShip& entry) {
    document.edit("max both", [&](EditScope&) {
        for (RelationshipSide side : {RelationshipSide::Toward, RelationshipSide::Back}) {
            editSide(document, "max both", sim, entry, side, [](SimRelationShip& edited) {
                edited.Daily = kRelationshipLimit;
                edited.Lifetime = kRelationshipLimit;
                edited.Crush = 1;
                edited.Love = 1;
            });
        }
    });
    document.sealStep();
}

void SetAllRelationships(Document& document, Sim& sim, bool wholeNeighbourhood, RelationshipValue which, int value) {
    RequireEditRange("Set All", value, -kRelationshipLimit, kRelationshipLimit);
    document.edit("set all", [&](EditScope& scope) {
        const std::vector<Sim*> characters = document.sims();
        for (Sim* character : characters) scope.touch(*character);
        if (wholeNeighbourhood) {
            SetAllForNeighbourhood(characters, which, value);
        } else {
            SetAllForCharacter(characters, sim, which, value);
        }
    });
    document.sealStep();
}

}  // namespace corvane
