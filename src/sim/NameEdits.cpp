#include "sim/NameEdits.h"

#include "platform/TextLines.h"

#include <algorithm>

namespace corvane {

namespace {

// The format the character's list entry shows, recognised with its names
// before they change (after the change its own entry no longer begins with them).
std::optional<LabelFormat> entryFormat(const CharacterList& list, const Sim& sim) {
    const auto& entries = list.entries();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.sim.get() == &sim; });
    if (entry == entries.end()) return std::nullopt;
    return FormatOfEntry(entry->text, sim);
}

// An entry in no format it can be recognised in keeps its text.
void relabel(CharacterList& list, std::optional<LabelFormat> format) {
    if (format) list.relabel(*format, list.selectedSim());
}

}  // namespace

void SetFirstName(Document& document, Sim& sim, const std::string& text) {
    const std::string name = Trimmed(text);
    document.edit("FirstName", [&](EditScope& scope) {
        const std::optional<LabelFormat> format = entryFormat(document.characters(), sim);
        scope.touch(sim).FirstName = name;
        for (Sim* other : document.sims()) {
            for (SimRelationShip& relationship : other->Relationships) {
                if (relationship.TargetID == sim.NeighborID && relationship.TargetFirstName != name) {
                    // What the relationship page shows: that character has nothing new to save.
                    scope.touch(*other, false);
                    relationship.TargetFirstName = name;
                }
            }
        }
        relabel(document.characters(), format);
    });
}

void SetLastName(Document& document, Sim& sim, const std::string& text) {
    if (sim.FamilyChanged) {
        throw EditError("LastName cannot change while " + sim.FileName +
                        " moves to another household: it bears that family's name");
    }
    const std::string name = Trimmed(text);
    document.edit("LastName", [&](EditScope& scope) {
        const std::optional<LabelFormat> format = entryFormat(document.characters(), sim);
        scope.touch(sim).LastName = name;
        sim.LastNameChanged = true;
        // Family number 0 is no family: the characters without one share nothing.
        for (Sim* member : document.sims()) {
            if (member != &sim && sim.FamilyNumber != 0 && member->FamilyNumber == sim.FamilyNumber) {
                scope.touch(*member, false).LastName = name;
            }
        }
        relabel(document.characters(), format);
    });
}

void SetBio(Document& document, Sim& sim, const std::string& text) {
    const std::string bio = Trimmed(text);
    document.edit("Bio", [&](EditScope& scope) { scope.touch(sim).Bio = bio; });
}

}  // namespace corvane
