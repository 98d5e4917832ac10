#include "sim/FieldAssignment.h"

#include "neighbourhoods/NeighbourRecordLayout.h"
#include "platform/AsciiText.h"
#include "sim/HouseJobEdits.h"
#include "sim/Makeover.h"
#include "sim/NameEdits.h"
#include "sim/SkinEdits.h"
#include "sim/TraitEdits.h"

#include <algorithm>
#include <array>
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
    TextEdit edit;                           // a name or the biography
    std::string Sim::*skin = nullptr;        // else a skin field
};

// Skins are kept in the body strings of the character's file; a save never
// makes body strings for a file that has none, so it would store no skin.
void requireBodyStrings(const Sim& sim, std::string_view field) {
    if (!sim.BodyStringsHead.empty()) return;
    throw NotStorableError(std::string(field) + " changes the skins, which are kept in the body strings (STR# 200) of "
                           "the character's file, and " + sim.FileName + ".iff has none, so it cannot be changed");
}

// A skin field is set as its skin page sets it: the slot dressed in the new
// name beside the other name it wears, so a change of letter case is none, a
// new head asks for new pictures and a loose everyday texture brings its pajamas.
void dressFromField(Document& document, Sim& sim, std::string Sim::*field, const std::string& name,
                    const InstalledSkins& installed) {
    const SkinSlot slot = SlotOfField(field);
    const SlotFields fields = FieldsOfSlot(slot);
    SkinPick pick{sim.*fields.mesh, sim.*fields.texture};
    (field == fields.mesh ? pick.mesh : pick.texture) = name;
    pick.looseTexture = installed.textureIsLoose(pick.texture);
    DressSlot(document, sim, slot, pick);
}

const std::vector<TextRule>& textRules() {
    static const std::vector<TextRule> rules = [] {
        std::vector<TextRule> table{{"FirstName", SetFirstName}, {"LastName", SetLastName}, {"Bio", SetBio}};
        for (const SkinField& skin : SkinFields()) table.push_back({skin.name, {}, skin.field});
        return table;
    }();
    return rules;
}

// The makeover's fields: each takes one of its words and dresses the
// character anew, as the makeover page does.
struct MakeoverRule {
    std::string_view name;
    std::vector<std::string_view> words;
    std::function<void(Document&, Sim&, std::size_t word, const MakeoverSkins&)> edit;
    // Part of the change is kept in the character's neighbour record (age, career, gender, skin colour).
    bool neighbourRecord = false;
};

const std::vector<MakeoverRule>& makeoverRules() {
    static const std::vector<MakeoverRule> rules{
        {"AgeGroup", {"child", "adult"},
         [](Document& d, Sim& s, std::size_t word, const MakeoverSkins& skins) {
             (word == 0 ? MakeChild : MakeAdult)(d, s, std::nullopt, skins);
         },
         true},
        {"SkinAge", {"child", "adult"},
         [](Document& d, Sim& s, std::size_t word, const MakeoverSkins& skins) {
             SetSkinAge(d, s, word == 0 ? SkinAgeChoice::Child : SkinAgeChoice::Adult, skins);
         }},
        {"Gender", {"male", "female"},
         [](Document& d, Sim& s, std::size_t word, const MakeoverSkins& skins) { SetGender(d, s, word == 1, skins); },
         true},
        // The numbers as the record stores them, as earlier scripts wrote them.
        {"SkinColor", {"light", "dark", "medium", "1", "2", "3"},
         [](Document& d, Sim& s, std::size_t word, const MakeoverSkins& skins) {
             SetSkinColor(d, s, static_cast<int>(word % 3) + 1, skins);
         },
         true},
        {"BodySize", {"skn", "fit", "fat", "tnr"},
         [](Document& d, Sim& s, std::size_t word, const MakeoverSkins& skins) {
             static constexpr std::array<const char*, 4> kSizes{"skn", "fit", "fat", "tnr"};
             SetBodySize(d, s, kSizes[word], skins);
         }},
    };
    return rules;
}

std::string wordList(const std::vector<std::string_view>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
    }
    return text;
}

void assignMakeover(Document& document, Sim& sim, const MakeoverRule& rule, const std::string& value,
                    const MakeoverSkinsLookup& makeoverSkins) {
    const std::string word = ToLowerAscii(value);
    const auto found = std::find(rule.words.begin(), rule.words.end(), word);
    if (found == rule.words.end()) {
        throw FieldAssignmentError(std::string(rule.name) + " \"" + value + "\" is none of " + wordList(rule.words));
    }
    if (rule.neighbourRecord && !sim.hasNeighbourEntry()) {
        throw NotStorableError(std::string(rule.name) + " is kept in part in the character's entry in neighborhood.iff, and " +
                               sim.FileName + " has none there, so it cannot be changed");
    }
    requireBodyStrings(sim, rule.name);
    if (!makeoverSkins) throw FieldAssignmentError(std::string(rule.name) + " needs the game's skins to dress the character");
    rule.edit(document, sim, static_cast<std::size_t>(found - rule.words.begin()), makeoverSkins());
}

std::int32_t number(std::string_view name, const std::string& text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw FieldAssignmentError(std::string(name) + " needs a whole number, not \"" + text + "\"");
    }
    return value;
}

const PersonDataField* neighbourRecordField(std::int32_t Sim::*member) {
    const auto stored = std::find_if(kPersonDataFields.begin(), kPersonDataFields.end(),
                                     [&](const PersonDataField& field) { return field.field == member; });
    return stored == kPersonDataFields.end() ? nullptr : &*stored;
}

// A value the save would write nowhere is refused, never reported as changed.
void requireStorable(const Sim& sim, std::string_view fieldName, std::int32_t Sim::*member, int level) {
    const std::string name(fieldName);
    if (const PersonDataField* field = neighbourRecordField(member)) {
        if (!sim.hasNeighbourEntry()) {
            throw NotStorableError(name + " is kept in the character's entry in neighborhood.iff, and " +
                                        sim.FileName + " has none there, so it cannot be changed");
        }
        if (!PersonDataWritten(field->write, sim, level)) {
            throw NotStorableError(name + " is not kept for " + sim.FileName +
                                        " (not at this expansion level, for this age or in this record), so it cannot be changed");
        }
    }
    if (member == &Sim::FamilyCash && !FamilyCashWritten(sim)) {
        throw NotStorableError("FamilyCash is kept in the record of a family with a house, and " + sim.FileName +
                               " is in none or is moving out of it, so it cannot be changed");
    }
}

// Age, gender and skin colour without a makeover's new skins.
const std::vector<NumberRule>& keepingSkinsRules() {
    static const std::vector<NumberRule> rules{
        {"Age", &Sim::Age, SetAgeKeepingSkins},
        {"Gender", &Sim::Gender, SetGenderKeepingSkins},
        {"SkinColor", &Sim::SkinColor, SetSkinColorKeepingSkins},
    };
    return rules;
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
    if (!rule.skin) {
        rule.edit(document, sim, text);
        return;
    }
    RequireSkinBaseName(rule.name, text);
    requireBodyStrings(sim, rule.name);
    requireInstalled(rule.name, text, installedSkins());
    dressFromField(document, sim, rule.skin, text, installedSkins());
}

}  // namespace

std::vector<std::string_view> AssignableFields() {
    std::vector<std::string_view> names;
    for (const NumberRule& rule : numberRules()) names.push_back(rule.name);
    for (const TextRule& rule : textRules()) names.push_back(rule.name);
    for (const MakeoverRule& rule : makeoverRules()) names.push_back(rule.name);
    return names;
}

void AssignField(Document& document, Sim& sim, std::string_view name, const std::string& value,
                 const InstalledSkinsLookup& installedSkins, const MakeoverSkinsLookup& makeoverSkins) {
    for (const NumberRule& rule : numberRules()) {
        if (rule.name == name) {
            requireStorable(sim, rule.name, rule.field, document.expansionLevel());
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
    for (const MakeoverRule& rule : makeoverRules()) {
        if (rule.name == name) {
            assignMakeover(document, sim, rule, value, makeoverSkins);
            return;
        }
    }
    throw FieldAssignmentError("unknown or read-only field \"" + std::string(name) + "\"");
}

void RequireSkinBaseName(std::string_view field, const std::string& name) {
    if (name.find_first_of(",=\\/") != std::string::npos || name.find('\0') != std::string::npos) {
        throw FieldAssignmentError(std::string(field) + " must be a skin's base name, without folders, ',' or '='");
    }
}

void AssignRecordedNumber(Document& document, Sim& sim, std::string_view name, std::int32_t value) {
    for (const std::vector<NumberRule>* rules : {&keepingSkinsRules(), &numberRules()}) {
        for (const NumberRule& rule : *rules) {
            if (rule.name != name) continue;
            requireStorable(sim, rule.name, rule.field, document.expansionLevel());
            rule.edit(document, sim, value);
            document.sealStep();
            return;
        }
    }
    throw FieldAssignmentError("unknown or read-only field \"" + std::string(name) + "\"");
}

}  // namespace corvane
