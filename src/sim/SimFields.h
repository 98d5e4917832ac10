#pragma once

#include "sim/Sim.h"

#include <string_view>
#include <variant>
#include <vector>

namespace corvane {

// One field of a Sim record by its name, for the record's text and JSON
// forms and the profile files.
struct SimField {
    std::string_view name;
    std::variant<std::int32_t Sim::*, std::string Sim::*, bool Sim::*> member;
};

// The record's plain fields in their fixed order (the carried body strings,
// the relationships and the body-strings head are not among them).
const std::vector<SimField>& SimFieldTable();

}  // namespace corvane
