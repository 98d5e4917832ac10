// Feeds arbitrary bytes to the binary mesh conversion. It must convert them or
// throw FormatError, never crash, overrun or allocate without bound; and what
// it converts must have the text layout of a mesh file: every count line
// followed by that many records of the right width, integers as integers and
// reals in the mesh format ("0.0######", or the spellings of no number).
#include "platform/FormatError.h"
#include "skins/SknConversion.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void broken() { __builtin_trap(); }

std::vector<std::string> items(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool isInteger(const std::string& text) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool isMeshReal(const std::string& text) {
    if (text == "NAN" || text == "INF" || text == "-INF") return true;
    const std::size_t point = text.find('.');
    const std::size_t firstDigit = text.starts_with('-') ? 1 : 0;
    if (point == std::string::npos || point == firstDigit) return false;
    const std::size_t decimals = text.size() - point - 1;
    return decimals >= 1 && decimals <= 7 && text.find_first_not_of("0123456789", firstDigit) == point &&
           text.find_first_not_of("0123456789", point + 1) == std::string::npos;
}

class LayoutWalk {
public:
    explicit LayoutWalk(const std::vector<std::string>& lines) : lines_(lines) {}

    std::size_t count() {
        const std::string& line = next();
        if (!isInteger(line) || line.starts_with('-')) broken();
        return std::stoull(line);
    }
    const std::string& next() {
        if (at_ >= lines_.size()) broken();
        return lines_[at_++];
    }
    void records(std::size_t width, bool (*valid)(const std::string&)) {
        for (std::size_t i = count(); i > 0; --i) {
            const auto words = items(next());
            if (words.size() != width) broken();
            for (const std::string& word : words) {
                if (!valid(word)) broken();
            }
        }
    }
    bool done() const { return at_ == lines_.size(); }

private:
    const std::vector<std::string>& lines_;
    std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    try {
        corvane::AppendMeshLines(std::span<const std::uint8_t>(data, size), "fuzz.bmf", lines);
    } catch (const corvane::FormatError&) {
        return 0;
    }
    LayoutWalk walk(lines);
    walk.next();  // mesh name
    walk.next();  // default texture
    if (const std::size_t bones = walk.count(); bones > 255) {
        broken();
    } else {
        for (std::size_t i = 0; i < bones; ++i) walk.next();
    }
    walk.records(3, isInteger);   // faces
    walk.records(5, isInteger);   // bindings
    walk.records(2, isMeshReal);  // texture coordinates
    walk.records(2, isInteger);   // blends
    walk.records(6, isMeshReal);  // vertices
    if (!walk.done()) broken();
    return 0;
}
