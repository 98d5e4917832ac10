#pragma once

#include "sim/Document.h"
#include "sim/Makeover.h"
#include "skins/InstalledSkins.h"

#include <functional>
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
// haunt, ghost, fame, names, biography, the skins, and the makeover's age
// group, skin age, gender, skin colour and body size.
std::vector<std::string_view> AssignableFields();

// The game's installed skins, asked for only when a skin is set (finding
// them reads the game's archives).
using InstalledSkinsLookup = std::function<const InstalledSkins&()>;

// The installed skins a makeover field draws from, asked for only when one is set.
using MakeoverSkinsLookup = std::function<MakeoverSkins()>;

// Sets one field from its text ("Neat", "800") through the document's edits,
// so the limits and side effects are the edit pages' own (career 0 drops the
// job level, a ghost haunts its family's house, cash is shared by the house
// and holds eight digits, a house number moves the character into the family
// living there, names are trimmed, a last name renames the family, a new age,
// gender, skin colour or size brings new skins that fit it). A skin
// must be installed, since the save writes no other. Texts are in the game's
// code page already. Throws FieldAssignmentError or EditError for a bad
// value, NotStorableError for a value the record cannot store.
void AssignField(Document& document, Sim& sim, std::string_view name, const std::string& value,
                 const InstalledSkinsLookup& installedSkins, const MakeoverSkinsLookup& makeoverSkins = {});

// Sets one number field to the value another character's record holds (a
// profile): the same checks and edits as AssignField, except that age
// (9 or 27), gender (of the character's kind) and skin colour keep the
// character's skins, since such a record brings its own. Throws
// FieldAssignmentError or EditError for a bad value, NotStorableError for a
// value the record cannot store.
void AssignRecordedNumber(Document& document, Sim& sim, std::string_view name, std::int32_t value);

// FieldAssignmentError unless `name` can be a skin's base name (no folders,
// no ',' or '=', which the body strings use).
void RequireSkinBaseName(std::string_view field, const std::string& name);

}  // namespace corvane
