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

// The length of the well-formed UTF-8 sequence at the start of `text`, 0
// when it does not begin with one (a stray byte of another code page, an
// overlong form, a surrogate or a value past U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

// "\\u00e9": the character of that number.
std::string unicodeEscape(unsigned char c) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
    return escaped;
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            // A byte that is not UTF-8 would make the whole document invalid:
            // it is written as the character of that number, as Latin-1 reads it.
            const std::size_t length = utf8SequenceLength(utf8.substr(i));
            if (length == 0) {
                out += unicodeEscape(c);
                ++i;
            } else {
                out += utf8.substr(i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    out += unicodeEscape(c);
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
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
