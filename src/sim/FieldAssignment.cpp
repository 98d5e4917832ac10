#include "sim/FieldAssignment.h"

#include "neighbourhoods/NeighbourRecordLayout.h"
#include "sim/HouseJob.h"
#include "sim/Traits.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>

namespace corvane {

namespace {

struct NumberRule {
    std::string_view name;
    std::int32_t Sim::*field;
    std::function<bool(std::int32_t, const Sim&, int)> allowed;
    std::string_view range;  // for the message
};

bool within(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

bool validCareer(std::int32_t career, const Sim& sim, int level) {
    if (career == kSchoolCareer) return sim.Age == 9;
    const int index = IndexForCareer(career);
    return sim.Age != 9 && career != 11 && within(career, 0, 21) && index < OfferedCareers(sim.Age, level);
}

const std::vector<NumberRule>& numberRules() {
    static const std::vector<NumberRule> rules = [] {
        std::vector<NumberRule> table;
        for (const Trait& trait : Traits()) {
            table.push_back({trait.name, trait.field,
                             [](std::int32_t v, const Sim&, int) { return within(v, 0, 1000); }, "0 to 1000"});
        }
        table.insert(table.end(), {
            {"Career", &Sim::Career, validCareer, "a career the game offers at this age and level"},
            {"JobLevel", &Sim::JobLevel, [](std::int32_t v, const Sim&, int) { return within(v, 0, 9); }, "0 to 9"},
            {"JobPerformance", &Sim::JobPerformance, [](std::int32_t v, const Sim&, int) { return within(v, 0, 100); },
             "0 to 100"},
            {"SkinColor", &Sim::SkinColor, [](std::int32_t v, const Sim&, int) { return within(v, 1, 3); },
             "1 (light), 2 (dark) or 3 (medium)"},
            {"HauntAddress", &Sim::HauntAddress, [](std::int32_t v, const Sim&, int) { return within(v, 0, 65535); },
             "0 to 65535"},
            {"Ghost", &Sim::Ghost, [](std::int32_t v, const Sim&, int) { return within(v, 0, 1); }, "0 or 1"},
            {"FameScore", &Sim::FameScore, [](std::int32_t v, const Sim&, int) { return within(v, 0, 1000); },
             "0 to 1000"},
            {"FameStarPower", &Sim::FameStarPower,
             [](std::int32_t v, const Sim& s, int) { return within(v, 0, s.FameStarHighWatermark); },
             "0 to the character's FameStarHighWatermark"},
            {"FameStarHighWatermark", &Sim::FameStarHighWatermark,
             [](std::int32_t v, const Sim& s, int) { return within(v, s.FameStarPower, 10); },
             "the character's FameStarPower to 10"},
            {"FamilyCash", &Sim::FamilyCash,
             [](std::int32_t v, const Sim&, int) { return within(v, 0, std::numeric_limits<std::int32_t>::max()); },
             "0 to 2147483647"},
            {"HouseNumber", &Sim::HouseNumber, [](std::int32_t v, const Sim&, int) { return within(v, 1, 65535); },
             "1 to 65535"},
        });
        return table;
    }();
    return rules;
}

struct TextRule {
    std::string_view name;
    std::string Sim::*field;
};

const std::vector<TextRule>& textRules() {
    static const std::vector<TextRule> rules = [] {
        std::vector<TextRule> table{{"FirstName", &Sim::FirstName}, {"LastName", &Sim::LastName}, {"Bio", &Sim::Bio}};
        for (const SkinField& skin : SkinFields()) table.push_back({skin.name, skin.field});
        return table;
    }();
    return rules;
}

std::int32_t number(std::string_view name, const std::string& text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw FieldAssignmentError(std::string(name) + " needs a whole number, not \"" + text + "\"");
    }
    return value;
}

const PersonDataField* neighbourRecordField(const NumberRule& rule) {
    const auto stored = std::find_if(kPersonDataFields.begin(), kPersonDataFields.end(),
                                     [&](const PersonDataField& field) { return field.field == rule.field; });
    return stored == kPersonDataFields.end() ? nullptr : &*stored;
}

// A value the save would write nowhere is refused, never reported as changed.
void requireStorable(const Sim& sim, const NumberRule& rule, int level) {
    const std::string name(rule.name);
    if (const PersonDataField* field = neighbourRecordField(rule)) {
        if (!sim.hasNeighbourEntry()) {
            throw NotStorableError(name + " is kept in the character's entry in neighborhood.iff, and " +
                                        sim.FileName + " has none there, so it cannot be changed");
        }
        if (!PersonDataWritten(field->write, sim, level)) {
            throw NotStorableError(name + " is not kept for " + sim.FileName +
                                        " (not at this expansion level, for this age or in this record), so it cannot be changed");
        }
    }
    if (rule.field == &Sim::FamilyCash && !FamilyCashWritten(sim)) {
        throw NotStorableError("FamilyCash is kept in the record of a family with a house, and " + sim.FileName +
                               " is in none or is moving out of it, so it cannot be changed");
    }
}

void assignNumber(Sim& sim, const NumberRule& rule, const std::string& text, int level) {
    requireStorable(sim, rule, level);
    const std::int32_t value = number(rule.name, text);
    if (!rule.allowed(value, sim, level)) {
        throw FieldAssignmentError(std::string(rule.name) + " " + text + " is out of range (" + std::string(rule.range) + ")");
    }
    if (rule.field == &Sim::HouseNumber && value != sim.HouseNumber) sim.FamilyChanged = true;
    if (rule.field == &Sim::SkinColor) {
        static const char* tones[] = {"", "lgt", "drk", "med"};
        sim.SkinTone = tones[value];
    }
    sim.*rule.field = value;
}

void assignText(Sim& sim, const TextRule& rule, const std::string& text) {
    if (text.find('\0') != std::string::npos) {
        throw FieldAssignmentError(std::string(rule.name) + " cannot hold a zero byte");
    }
    const bool skin = rule.field != &Sim::FirstName && rule.field != &Sim::LastName && rule.field != &Sim::Bio;
    if (skin && text.find_first_of(",=\\/") != std::string::npos) {
        throw FieldAssignmentError(std::string(rule.name) + " must be a skin's base name, without folders, ',' or '='");
    }
    if (rule.field == &Sim::LastName && text != sim.LastName) sim.LastNameChanged = true;
    sim.*rule.field = text;
}

}  // namespace

std::vector<std::string_view> AssignableFields() {
    std::vector<std::string_view> names;
    for (const NumberRule& rule : numberRules()) names.push_back(rule.name);
    for (const TextRule& rule : textRules()) names.push_back(rule.name);
    return names;
}

void AssignField(Sim& sim, std::string_view name, const std::string& value, int expansionLevel) {
    for (const NumberRule& rule : numberRules()) {
        if (rule.name == name) {
            assignNumber(sim, rule, value, expansionLevel);
            sim.Modified = true;
            return;
        }
    }
    for (const TextRule& rule : textRules()) {
        if (rule.name == name) {
            assignText(sim, rule, value);
            sim.Modified = true;
            return;
        }
    }
    throw FieldAssignmentError("unknown or read-only field \"" + std::string(name) + "\"");
}

}  // namespace corvane
