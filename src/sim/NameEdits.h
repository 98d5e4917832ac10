#pragma once

#include "sim/Document.h"

#include <string>

namespace corvane {

// The makeover page's name boxes and biography. Each text loses its leading
// and trailing blanks and control characters, and the character list's
// entries are labelled anew in the format they were in.

// Relationship entries toward the character take the new first name.
void SetFirstName(Document& document, Sim& sim, const std::string& text);

// Every character of the same family (by FamilyNumber) takes the new last
// name; only this character is marked modified and carries the change of the
// family's name to the save. Refused while the character is moving to
// another household, whose name it then bears.
void SetLastName(Document& document, Sim& sim, const std::string& text);

void SetBio(Document& document, Sim& sim, const std::string& text);

}  // namespace corvane
