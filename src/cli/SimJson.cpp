#include "cli/SimJson.h"

#include "sim/SimFields.h"

#include <cstdio>

namespace corvane::cli {

namespace {

std::string hexGuid(const std::string& guid) {
    std::string out;
    char digits[3];
    for (unsigned char byte : guid) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        out += digits;
    }
    return out;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

// The field's value as JSON (`json`) or as plain text.
std::string fieldValue(const Sim& sim, const SimField& field, const TextConverter& utf8, bool json) {
    if (auto number = std::get_if<std::int32_t Sim::*>(&field.member)) {
        return std::to_string(sim.**number);
    }
    if (auto flag = std::get_if<bool Sim::*>(&field.member)) {
        return sim.**flag ? "true" : "false";
    }
    const std::string& text = sim.*std::get<std::string Sim::*>(field.member);
    const std::string value = field.name == "GUID" ? hexGuid(text) : utf8(text);
    return json ? jsonString(value) : value;
}

std::string relationshipJson(const SimRelationShip& r, const TextConverter& utf8) {
    return "{\"TargetID\": " + std::to_string(r.TargetID) + ", \"TargetFirstName\": " + jsonString(utf8(r.TargetFirstName)) +
           ", \"TargetLastName\": " + jsonString(utf8(r.TargetLastName)) + ", \"Daily\": " + std::to_string(r.Daily) +
           ", \"Lifetime\": " + std::to_string(r.Lifetime) + ", \"Crush\": " + std::to_string(r.Crush) +
           ", \"Love\": " + std::to_string(r.Love) + ", \"ValueCount\": " + std::to_string(r.ValueCount) +
           ", \"RecordPos\": " + std::to_string(r.RecordPos) + "}";
}

}  // namespace

std::string SimAsJson(const Sim& sim, const TextConverter& utf8) {
    std::string out = "{";
    for (const SimField& field : SimFieldTable()) {
        out += "\n  " + jsonString(std::string(field.name)) + ": " + fieldValue(sim, field, utf8, true) + ",";
    }
    out += "\n  \"Relationships\": [";
    for (std::size_t i = 0; i < sim.Relationships.size(); ++i) {
        out += (i == 0 ? "\n    " : ",\n    ") + relationshipJson(sim.Relationships[i], utf8);
    }
    out += sim.Relationships.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string SimAsText(const Sim& sim, const TextConverter& utf8) {
    std::string out;
    for (const SimField& field : SimFieldTable()) {
        out += std::string(field.name) + "\t" + fieldValue(sim, field, utf8, false) + "\n";
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
