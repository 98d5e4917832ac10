#include "cli/SimJson.h"

#include "cli/JsonWriter.h"
#include "sim/SimFields.h"

#include <cstdio>

namespace corvane::cli {

namespace {

// One field of the record: its value as JSON and as plain text.
struct RecordValue {
    std::string name;
    std::string json;
    std::string text;
};

RecordValue textValue(std::string name, std::string utf8) {
    std::string json = JsonString(utf8);
    return {std::move(name), std::move(json), std::move(utf8)};
}

RecordValue numberValue(std::string name, std::int64_t number) {
    return {std::move(name), std::to_string(number), std::to_string(number)};
}

// Every field of the record but the body-strings head and the relationships, in a fixed order.
std::vector<RecordValue> recordValues(const Sim& sim, const TextConverter& utf8) {
    std::vector<RecordValue> values;
    for (const SimField& field : SimFieldTable()) {
        std::string name(field.name);
        if (auto number = std::get_if<std::int32_t Sim::*>(&field.member)) {
            values.push_back(numberValue(std::move(name), sim.**number));
        } else if (auto flag = std::get_if<bool Sim::*>(&field.member)) {
            const std::string word = sim.**flag ? "true" : "false";
            values.push_back({std::move(name), word, word});
        } else {
            const std::string& text = sim.*std::get<std::string Sim::*>(field.member);
            values.push_back(textValue(std::move(name), field.name == "GUID" ? GuidAsHex(text) : utf8(text)));
        }
    }
    // The body strings the editor carries without changing them.
    for (std::size_t i = 0; i < sim.BodyString3to11.size(); ++i) {
        values.push_back(textValue("BodyString" + std::to_string(3 + i), utf8(sim.BodyString3to11[i])));
    }
    for (std::size_t i = 0; i < sim.BodyString23to26.size(); ++i) {
        values.push_back(textValue("BodyString" + std::to_string(23 + i), utf8(sim.BodyString23to26[i])));
    }
    return values;
}

std::string relationshipJson(const SimRelationShip& r, const TextConverter& utf8) {
    return JsonObject()
        .number("TargetID", r.TargetID)
        .text("TargetFirstName", utf8(r.TargetFirstName))
        .text("TargetLastName", utf8(r.TargetLastName))
        .number("Daily", r.Daily)
        .number("Lifetime", r.Lifetime)
        .number("Crush", r.Crush)
        .number("Love", r.Love)
        .number("ValueCount", r.ValueCount)
        .number("RecordPos", r.RecordPos)
        .line();
}

}  // namespace

std::string SimAsJson(const Sim& sim, const TextConverter& utf8) {
    JsonObject record;
    for (RecordValue& value : recordValues(sim, utf8)) record.json(value.name, std::move(value.json));
    std::vector<std::string> relationships;
    for (const SimRelationShip& r : sim.Relationships) relationships.push_back(relationshipJson(r, utf8));
    record.json("Relationships", JsonArray(relationships, 4));
    return record.block(2) + "\n";
}

std::string SimAsText(const Sim& sim, const TextConverter& utf8) {
    std::string out;
    for (const RecordValue& value : recordValues(sim, utf8)) {
        out += value.name + "\t" + value.text + "\n";
    }
    for (const SimRelationShip& r : sim.Relationships) {
        out += "Relationship\t" + std::to_string(r.TargetID) + "\t" + utf8(r.TargetFirstName) + " " +
               utf8(r.TargetLastName) + "\tDaily " + std::to_string(r.Daily) + "\tLifetime " +
               std::to_string(r.Lifetime) + "\tCrush " + std::to_string(r.Crush) + "\tLove " + std::to_string(r.Love) +
               "\n";
    }
    return out;
}

}  // namespace corvane::cli
