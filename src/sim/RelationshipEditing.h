#pragma once

#include "sim/Sim.h"

#include <string>
#include <vector>

namespace corvane {

// The entries the relationships page lists for a character: every entry
// toward another character (an entry toward itself is left out), in order.
std::vector<SimRelationShip*> ListedRelationships(Sim& sim);

// The other character's entry back toward `sim`, or nullptr.
SimRelationShip* ReverseEntry(const std::vector<Sim*>& characters, const Sim& sim, const SimRelationShip& entry);

// The other character of an entry, or nullptr when it is not in the list.
Sim* OtherCharacter(const std::vector<Sim*>& characters, const SimRelationShip& entry);

// Crush and love are offered only between two characters of Age 10 or more
// from the third expansion pack on.
bool CrushAndLoveShown(const Sim& sim, const Sim* other, int expansionLevel);

enum class RelationshipValue { Daily, Lifetime };

// "Set All" for one character: each of its listed entries and the entry back
// take `value`; every record changed is marked modified.
void SetAllForCharacter(const std::vector<Sim*>& characters, Sim& sim, RelationshipValue which, int value);

// "Set All" for the neighbourhood: every entry of every character.
void SetAllForNeighbourhood(const std::vector<Sim*>& characters, RelationshipValue which, int value);

// The Set All question: its first line, the value and the value's name in
// double quotes, and the closing line.
std::string SetAllQuestion(bool wholeNeighbourhood, RelationshipValue which, int value);

std::int32_t& ValueOf(SimRelationShip& entry, RelationshipValue which);

}  // namespace corvane
