#pragma once

#include "sim/Sim.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A field that cannot be set, or a value out of its range; what() says which.
class FieldAssignmentError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// A value the save would store nowhere: the character has no neighbour
// record, the game keeps no such value at this level or age, or the cash of a
// family without a house.
class NotStorableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The fields a player may change from the command line, as the edit pages
// allow them: personality, skills, interests, career, job, cash, house,
// haunt, ghost, fame, names, biography, skin tone and the skins.
std::vector<std::string_view> AssignableFields();

// Sets one field from its text ("Neat", "800"), checking the range the edit
// pages keep, and marks the record as the pages do (Modified; a new family
// name LastNameChanged; another house FamilyChanged). Texts are in the
// game's code page already. Throws FieldAssignmentError, or
// NotStorableError for a value the record cannot store.
void AssignField(Sim& sim, std::string_view name, const std::string& value, int expansionLevel);

}  // namespace corvane
