#include "sim/RelationshipEditing.h"

#include "platform/LanguageModule.h"

#include <algorithm>

namespace corvane {

std::vector<SimRelationShip*> ListedRelationships(Sim& sim) {
    std::vector<SimRelationShip*> listed;
    for (SimRelationShip& entry : sim.Relationships) {
        if (entry.TargetID != sim.NeighborID) {
            listed.push_back(&entry);
        }
    }
    return listed;
}

Sim* OtherCharacter(const std::vector<Sim*>& characters, const SimRelationShip& entry) {
    auto found = std::find_if(characters.begin(), characters.end(),
                              [&](const Sim* s) { return s->NeighborID == entry.TargetID; });
    return found == characters.end() ? nullptr : *found;
}

SimRelationShip* ReverseEntry(const std::vector<Sim*>& characters, const Sim& sim, const SimRelationShip& entry) {
    Sim* other = OtherCharacter(characters, entry);
    return other == nullptr ? nullptr : other->relationshipTo(sim.NeighborID);
}

bool CrushAndLoveShown(const Sim& sim, const Sim* other, int expansionLevel) {
    return expansionLevel >= 3 && sim.Age >= 10 && other != nullptr && other->Age >= 10;
}

std::int32_t& ValueOf(SimRelationShip& entry, RelationshipValue which) {
    return which == RelationshipValue::Daily ? entry.Daily : entry.Lifetime;
}

void SetAllForCharacter(const std::vector<Sim*>& characters, Sim& sim, RelationshipValue which, int value) {
    for (SimRelationShip* entry : ListedRelationships(sim)) {
        ValueOf(*entry, which) = value;
        sim.Modified = true;
        Sim* other = OtherCharacter(characters, *entry);
        if (SimRelationShip* back = other ? other->relationshipTo(sim.NeighborID) : nullptr) {
            ValueOf(*back, which) = value;
            other->Modified = true;
        }
    }
}

void SetAllForNeighbourhood(const std::vector<Sim*>& characters, RelationshipValue which, int value) {
    for (Sim* sim : characters) {
        for (SimRelationShip& entry : sim->Relationships) {
            ValueOf(entry, which) = value;
            sim->Modified = true;
        }
    }
}

std::string SetAllQuestion(bool wholeNeighbourhood, RelationshipValue which, int value) {
    const int first = wholeNeighbourhood ? 6058 : 8060;
    const int name = which == RelationshipValue::Daily ? 6011 : 6128;
    return LangStr(first) + "\n\"" + std::to_string(value) + " " + LangStr(name) + "\"\n" + LangStr(8059) + "\n";
}

}  // namespace corvane
