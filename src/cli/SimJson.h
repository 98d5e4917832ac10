#pragma once

#include "sim/Sim.h"

#include <functional>
#include <string>

namespace corvane::cli {

// Converts a text of the game's code page to UTF-8.
using TextConverter = std::function<std::string(const std::string&)>;

// The record as a JSON object keyed by its field names: numbers as numbers,
// flags as booleans, texts in UTF-8, GUID as 8 lower-case hex digits in file
// order, the carried body strings as BodyString3…BodyString11 and
// BodyString23…BodyString26, and the relationships as an array of objects;
// only the body-strings head is left out.
std::string SimAsJson(const Sim& sim, const TextConverter& utf8);

// The record as "Field<TAB>value" lines, then one "Relationship" line per relationship.
std::string SimAsText(const Sim& sim, const TextConverter& utf8);

}  // namespace corvane::cli
