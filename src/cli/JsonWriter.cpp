#include "cli/JsonWriter.h"

#include <cstdio>

namespace corvane::cli {

namespace {

// `items` one a line between `open` and `close`, indented by `indent` spaces.
std::string enclosed(char open, char close, const std::vector<std::string>& items, int indent) {
    if (items.empty()) return std::string{open, close};
    const std::string inside(static_cast<std::size_t>(indent), ' ');
    const std::string outside(static_cast<std::size_t>(indent > 2 ? indent - 2 : 0), ' ');
    std::string out(1, open);
    for (std::size_t i = 0; i < items.size(); ++i) out += (i == 0 ? "\n" : ",\n") + inside + items[i];
    return out + "\n" + outside + close;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
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

JsonObject& JsonObject::text(std::string_view key, std::string_view utf8) {
    return json(key, JsonString(utf8));
}

JsonObject& JsonObject::number(std::string_view key, std::int64_t value) {
    return json(key, std::to_string(value));
}

JsonObject& JsonObject::flag(std::string_view key, bool value) {
    return json(key, value ? "true" : "false");
}

JsonObject& JsonObject::json(std::string_view key, std::string value) {
    members_.emplace_back(JsonString(key), std::move(value));
    return *this;
}

std::string JsonObject::line() const {
    std::string out = "{";
    for (std::size_t i = 0; i < members_.size(); ++i) {
        out += (i == 0 ? "" : ", ") + members_[i].first + ": " + members_[i].second;
    }
    return out + "}";
}

std::string JsonObject::block(int indent) const {
    std::vector<std::string> lines;
    lines.reserve(members_.size());
    for (const auto& [key, value] : members_) lines.push_back(key + ": " + value);
    return enclosed('{', '}', lines, indent);
}

std::string JsonArray(const std::vector<std::string>& values, int indent) {
    return enclosed('[', ']', values, indent);
}

}  // namespace corvane::cli
