#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace corvane::test {

// A JSON value as a test reads it back: null, boolean, integer, string, array
// or object (numbers other than integers are refused; the tool writes none).
struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue>;
    std::variant<std::nullptr_t, bool, std::int64_t, std::string, Array, Object> value;

    // The member `key` of an object; throws std::runtime_error when it is not one or has none.
    const JsonValue& operator[](const std::string& key) const;
    // The element `index` of an array; throws std::runtime_error likewise.
    const JsonValue& operator[](std::size_t index) const;
    std::size_t size() const;  // of an array or object
    const std::string& text() const;
    std::int64_t number() const;
    bool flag() const;
    bool has(const std::string& key) const;
};

// Reads one JSON document (whitespace around it allowed); throws
// std::runtime_error naming the offset of the first thing that is not JSON.
JsonValue ParseJson(const std::string& text);

}  // namespace corvane::test
