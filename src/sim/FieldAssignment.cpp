#include "sim/FieldAssignment.h"

#include "neighbourhoods/NeighbourRecordLayout.h"
#include "sim/HouseJobEdits.h"
#include "sim/NameEdits.h"
#include "sim/TraitEdits.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace corvane {

namespace {

using NumberEdit = std::function<void(Document&, Sim&, std::int32_t)>;

struct NumberRule {
    std::string_view name;
    std::int32_t Sim::*field;
    NumberEdit edit;
};

bool validCareer(std::int32_t career, const Sim& sim, int level) {
    if (career == kSchoolCareer) return sim.Age == 9;
    const int index = IndexForCareer(career);
    return sim.Age != 9 && career != 11 && career >= 0 && career <= 21 && index < OfferedCareers(sim.Age, level);
}

void moveToHouse(Document& document, Sim& sim, std::int32_t house) {
    const Document::Household* loaded = document.loadedHousehold(sim);
    if (loaded != nullptr && loaded->houseNumber == house) {
        MoveToHousehold(document, sim, loaded->lastName, house);
        return;
    }
    for (const Sim* other : document.sims()) {
        if (other != &sim && house != 0 && other->HouseNumber == house) {
            MoveToHousehold(document, sim, other->LastName, house);
            return;
        }
    }
    throw FieldAssignmentError("HouseNumber " + std::to_string(house) + ": no family of the neighbourhood lives there");
}

const std::vector<NumberRule>& numberRules() {
    static const std::vector<NumberRule> rules = [] {
        std::vector<NumberRule> table;
        for (const Trait& trait : Traits()) {
            table.push_back({trait.name, trait.field, [&trait](Document& d, Sim& s, std::int32_t v) {
                                 SetTrait(d, s, trait, v);
                             }});
        }
        table.insert(table.end(), {
            {"Career", &Sim::Career,
             [](Document& d, Sim& s, std::int32_t v) {
                 if (!validCareer(v, s, d.expansionLevel())) {
                     throw FieldAssignmentError("Career " + std::to_string(v) +
                                                " is out of range (a career the game offers at this age and level)");
                 }
                 SetCareer(d, s, v);
             }},
            {"JobLevel", &Sim::JobLevel, SetJobLevel},
            {"JobPerformance", &Sim::JobPerformance, SetJobPerformance},
            {"SkinColor", &Sim::SkinColor,
             [](Document& d, Sim& s, std::int32_t v) {
                 if (v < 1 || v > 3) {
                     throw FieldAssignmentError("SkinColor " + std::to_string(v) +
                                                " is out of range (1 (light), 2 (dark) or 3 (medium))");
                 }
                 static const char* tones[] = {"", "lgt", "drk", "med"};
                 d.edit("SkinColor", [&](EditScope& scope) {
                     scope.touch(s).SkinColor = v;
                     s.SkinTone = tones[v];
                 });
             }},
            {"HauntAddress", &Sim::HauntAddress, SetHauntAddress},
            {"Ghost", &Sim::Ghost,
             [](Document& d, Sim& s, std::int32_t v) {
                 RequireEditRange("Ghost", v, 0, 1);
                 SetGhost(d, s, v != 0);
             }},
            {"FameScore", &Sim::FameScore, [](Document& d, Sim& s, std::int32_t v) { SetFame(d, s, FameSlider::Score, v); }},
            {"FameStarPower", &Sim::FameStarPower,
             [](Document& d, Sim& s, std::int32_t v) { SetFame(d, s, FameSlider::Power, v); }},
            {"FameStarHighWatermark", &Sim::FameStarHighWatermark,
             [](Document& d, Sim& s, std::int32_t v) { SetFame(d, s, FameSlider::Watermark, v); }},
            {"FamilyCash", &Sim::FamilyCash, SetFamilyCash},
            {"HouseNumber", &Sim::HouseNumber, moveToHouse},
        });
        return table;
    }();
    return rules;
}

using TextEdit = std::function<void(Document&, Sim&, const std::string&)>;

struct TextRule {
    std::string_view name;
    TextEdit edit;
    bool skin = false;
};

const std::vector<TextRule>& textRules() {
    static const std::vector<TextRule> rules = [] {
        std::vector<TextRule> table{{"FirstName", SetFirstName}, {"LastName", SetLastName}, {"Bio", SetBio}};
        for (const SkinField& skin : SkinFields()) {
            table.push_back({skin.name,
                             [&skin](Document& d, Sim& s, const std::string& v) {
                                 d.edit(skin.name, [&](EditScope& scope) { scope.touch(s).*skin.field = v; });
                             },
                             true});
        }
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

// The save writes a skin only when the game has it; any other would be lost there.
void requireInstalled(std::string_view field, const std::string& name, const InstalledSkins& installed) {
    if (name.empty()) {
        throw FieldAssignmentError(std::string(field) + " needs the name of an installed skin, since a save keeps no other");
    }
    const bool mesh = field.ends_with("Mesh");
    if (mesh ? installed.meshInstalled(name) : installed.textureInstalled(name)) return;
    const std::string file = name + (mesh ? ".cmx" : ".bmp");
    throw FieldAssignmentError(std::string(field) + " \"" + name + "\" is not installed: the game has no " + file +
                               " in its skin folders or archives, and a save keeps only installed skins");
}

void assignText(Document& document, Sim& sim, const TextRule& rule, const std::string& text,
                const InstalledSkinsLookup& installedSkins) {
    if (text.find('\0') != std::string::npos) {
        throw FieldAssignmentError(std::string(rule.name) + " cannot hold a zero byte");
    }
    if (rule.skin && text.find_first_of(",=\\/") != std::string::npos) {
        throw FieldAssignmentError(std::string(rule.name) + " must be a skin's base name, without folders, ',' or '='");
    }
    if (rule.skin) requireInstalled(rule.name, text, installedSkins());
    rule.edit(document, sim, text);
}

}  // namespace

std::vector<std::string_view> AssignableFields() {
    std::vector<std::string_view> names;
    for (const NumberRule& rule : numberRules()) names.push_back(rule.name);
    for (const TextRule& rule : textRules()) names.push_back(rule.name);
    return names;
}

void AssignField(Document& document, Sim& sim, std::string_view name, const std::string& value,
                 const InstalledSkinsLookup& installedSkins) {
    for (const NumberRule& rule : numberRules()) {
        if (rule.name == name) {
            requireStorable(sim, rule, document.expansionLevel());
            rule.edit(document, sim, number(rule.name, value));
            document.sealStep();
            return;
        }
    }
    for (const TextRule& rule : textRules()) {
        if (rule.name == name) {
            assignText(document, sim, rule, value, installedSkins);
            document.sealStep();
            return;
        }
    }
    throw FieldAssignmentError("unknown or read-only field \"" + std::string(name) + "\"");
}

}  // namespace corvane
