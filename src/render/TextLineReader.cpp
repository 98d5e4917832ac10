#include "render/TextLineReader.h"

#include "platform/FormatError.h"
#include "platform/TextLines.h"

#include <charconv>
#include <cmath>

namespace corvane {

namespace {

bool isSeparatorBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The quoted item that starts at `at` (on the opening quote); `at` ends past
// the closing quote, or at the end of the line when the quote is never closed.
std::string quotedItem(std::string_view line, std::size_t& at) {
    std::string item;
    ++at;
    while (at < line.size()) {
        if (line[at] != '"') {
            item += line[at++];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
            item += '"';
            at += 2;
        } else {
            ++at;
            break;
        }
    }
    return item;
}

std::string plainItem(std::string_view line, std::size_t& at) {
    const std::size_t first = at;
    while (at < line.size() && !isSeparatorBlank(line[at]) && line[at] != ',') {
        ++at;
    }
    return std::string(line.substr(first, at - first));
}

void skipBlanks(std::string_view line, std::size_t& at) {
    while (at < line.size() && isSeparatorBlank(line[at])) {
        ++at;
    }
}

// A sign, digits, a point, an exponent: anything else (the words of no
// number, hexadecimal) is refused before the conversion sees it.
bool hasOnlyDecimalCharacters(std::string_view text) {
    return text.find_first_not_of("0123456789.eE+-") == std::string_view::npos;
}

// std::from_chars takes no plus sign; the game's readers do.
std::string_view withoutPlusSign(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    return text;
}

template <typename Number, typename... Format>
bool parseWhole(std::string_view text, Number& value, Format... format) {
    text = withoutPlusSign(text);
    Number parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, format...);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

std::vector<std::string> SplitLineItems(std::string_view line) {
    std::vector<std::string> items;
    std::size_t at = 0;
    skipBlanks(line, at);
    while (at < line.size()) {
        items.push_back(line[at] == '"' ? quotedItem(line, at) : plainItem(line, at));
        skipBlanks(line, at);
        if (at < line.size() && line[at] == ',') {
            ++at;
            skipBlanks(line, at);
        }
    }
    return items;
}

bool ParseDecimalInteger(std::string_view text, std::int32_t& value) {
    return hasOnlyDecimalCharacters(text) && parseWhole(text, value);
}

bool ParseDecimalReal(std::string_view text, float& value) {
    float parsed = 0;
    if (!hasOnlyDecimalCharacters(text) || !parseWhole(text, parsed, std::chars_format::general) ||
        !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

LineItems::LineItems(const TextLineReader& reader, std::size_t lineIndex)
    : reader_(&reader), lineIndex_(lineIndex), items_(SplitLineItems(reader.line(lineIndex))) {}

const std::string& LineItems::item(std::size_t position) const {
    if (position >= items_.size()) {
        reader_->fail(lineIndex_, "item " + std::to_string(position + 1) + " is missing");
    }
    return items_[position];
}

std::int32_t LineItems::integer(std::size_t position) const {
    std::int32_t value = 0;
    if (!ParseDecimalInteger(item(position), value)) {
        reader_->fail(lineIndex_, "\"" + item(position) + "\" is not a whole number");
    }
    return value;
}

float LineItems::real(std::size_t position) const {
    float value = 0;
    if (!ParseDecimalReal(item(position), value)) {
        reader_->fail(lineIndex_, "\"" + item(position) + "\" is not a number");
    }
    return value;
}

TextLineReader::TextLineReader(const std::vector<std::string>& lines, std::string fileName)
    : lines_(&lines), fileName_(std::move(fileName)) {}

const std::string& TextLineReader::line(std::size_t index) const {
    if (index >= lines_->size()) {
        fail(index, "the file ends after " + std::to_string(lines_->size()) + " lines");
    }
    return (*lines_)[index];
}

std::int32_t TextLineReader::integer(std::size_t index) const {
    const std::string text = Trimmed(line(index));
    std::int32_t value = 0;
    if (!ParseDecimalInteger(text, value)) {
        fail(index, "\"" + text + "\" is not a whole number");
    }
    return value;
}

void TextLineReader::fail(std::size_t index, const std::string& what) const {
    throw FormatError(fileName_, index, "line " + std::to_string(index) + ": " + what);
}

}  // namespace corvane
