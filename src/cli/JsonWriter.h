#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::cli {

// A UTF-8 text as a JSON string, quotes and escapes included. Callers convert
// the game's text first (GameTextToUtf8); a byte that is still not UTF-8 is
// written as \u00XX, so that the document stays valid.
std::string JsonString(std::string_view utf8);

// The members of one JSON object, in the order they are added.
class JsonObject {
public:
    JsonObject& text(std::string_view key, std::string_view utf8);
    JsonObject& number(std::string_view key, std::int64_t value);
    JsonObject& flag(std::string_view key, bool value);
    // A value already written as JSON (an array or an object).
    JsonObject& json(std::string_view key, std::string value);

    // On one line: {"Daily": 80, "Love": 0}
    std::string line() const;
    // One member a line, each indented by `indent` spaces; the closing brace
    // `indent - 2` spaces in, where the object itself began.
    std::string block(int indent) const;

private:
    std::vector<std::pair<std::string, std::string>> members_;  // key as JSON, value as JSON
};

// The values (already JSON) one a line, indented by `indent` spaces; the
// closing bracket `indent - 2` spaces in; "[]" when there are none.
std::string JsonArray(const std::vector<std::string>& values, int indent);

}  // namespace corvane::cli
