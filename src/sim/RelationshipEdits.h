#pragma once

#include "sim/Document.h"
#include "sim/RelationshipEditing.h"

namespace corvane {

// Which way an edit of the relationships page goes: the character toward the
// other one (side 1), or the other one back (side 2: the other character's
// entry toward the character, which then counts as modified).
enum class RelationshipSide { Toward, Back };

// The entry a side edits for the character's listed entry `entry`; nullptr
// when side 2 has no other character or no entry back.
SimRelationShip* EntryOfSide(const Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side);

// A daily or lifetime value, -100..100. Nothing is stored for a side without an entry.
void SetRelationshipValue(Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side,
                          RelationshipValue which, int value);
// Crush (`crush`) or love of one side.
void SetRelationshipFlag(Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side, bool crush,
                         bool on);
// "Max Relationship" of one side: daily and lifetime 100.
void MaxRelationship(Document& document, Sim& sim, SimRelationShip& entry, RelationshipSide side);
// "Max Both Relationships": both sides 100, crush and love on both sides.
void MaxBothRelationships(Document& document, Sim& sim, SimRelationShip& entry);

// "Set All" for the character (its listed entries and the entries back) or
// for every entry of the neighbourhood.
void SetAllRelationships(Document& document, Sim& sim, bool wholeNeighbourhood, RelationshipValue which, int value);

}  // namespace corvane
