#include "support/TinyJson.h"

#include <charconv>
#include <stdexcept>

namespace corvane::test {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    JsonValue document() {
        JsonValue value = next();
        skipSpace();
        if (pos_ != text_.size()) fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("not JSON at offset " + std::to_string(pos_) + ": " + what);
    }

    void skipSpace() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    char peek() {
        skipSpace();
        if (pos_ >= text_.size()) fail("the end of the text");
        return text_[pos_];
    }

    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    bool word(const char* w) {
        const std::string_view view(w);
        if (text_.compare(pos_, view.size(), view) != 0) return false;
        pos_ += view.size();
        return true;
    }

    JsonValue next() {
        const char c = peek();
        if (c == '{') return {object()};
        if (c == '[') return {array()};
        if (c == '"') return {string()};
        if (word("true")) return {true};
        if (word("false")) return {false};
        if (word("null")) return {nullptr};
        std::int64_t number = 0;
        const auto [end, error] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), number);
        if (error != std::errc()) fail("no value");
        pos_ = static_cast<std::size_t>(end - text_.data());
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E')) {
            fail("a number that is not an integer");
        }
        return {number};
    }

    JsonValue::Object object() {
        JsonValue::Object members;
        expect('{');
        if (peek() == '}') return ++pos_, members;
        for (;;) {
            if (peek() != '"') fail("expected a key");
            std::string key = string();
            expect(':');
            if (!members.emplace(key, next()).second) fail("key " + key + " twice");
            if (peek() == '}') return ++pos_, members;
            expect(',');
        }
    }

    JsonValue::Array array() {
        JsonValue::Array items;
        expect('[');
        if (peek() == ']') return ++pos_, items;
        for (;;) {
            items.push_back(next());
            if (peek() == ']') return ++pos_, items;
            expect(',');
        }
    }

    std::string string() {
        expect('"');
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            const char c = text_[pos_++];
            if (static_cast<unsigned char>(c) < 0x20) fail("a control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) break;
            const char e = text_[pos_++];
            switch (e) {
                case '"': case '\\': case '/': out += e; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    unsigned code = 0;
                    const auto [end, error] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
                    if (error != std::errc() || end != text_.data() + pos_ + 4 || code >= 0x80) {
                        fail("a \\u escape the tests do not expect");
                    }
                    pos_ += 4;
                    out += static_cast<char>(code);
                    break;
                }
                default: fail("an unknown escape");
            }
        }
        if (pos_ >= text_.size()) fail("an unterminated string");
        ++pos_;
        return out;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

template <typename T>
const T& as(const JsonValue& value, const char* what) {
    if (const T* held = std::get_if<T>(&value.value)) return *held;
    throw std::runtime_error(std::string("the JSON value is not ") + what);
}

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
    const Object& members = as<Object>(*this, "an object");
    const auto found = members.find(key);
    if (found == members.end()) throw std::runtime_error("no member " + key);
    return found->second;
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
    const Array& items = as<Array>(*this, "an array");
    if (index >= items.size()) throw std::runtime_error("no element " + std::to_string(index));
    return items[index];
}

std::size_t JsonValue::size() const {
    if (const Object* members = std::get_if<Object>(&value)) return members->size();
    return as<Array>(*this, "an array or object").size();
}

const std::string& JsonValue::text() const { return as<std::string>(*this, "a string"); }
std::int64_t JsonValue::number() const { return as<std::int64_t>(*this, "an integer"); }
bool JsonValue::flag() const { return as<bool>(*this, "a boolean"); }

bool JsonValue::has(const std::string& key) const {
    return as<Object>(*this, "an object").contains(key);
}

JsonValue ParseJson(const std::string& text) {
    return Reader(text).document();
}

}  // namespace corvane::test
