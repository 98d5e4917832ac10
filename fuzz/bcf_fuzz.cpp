// Feeds arbitrary bytes to the binary suit and skeleton conversions (the
// first byte chooses which). Each must convert the bytes or throw
// FormatError, never crash, overrun or allocate without bound; and what it
// converts must have the text layout of a character file: a suit's skins in
// four lines each, a skeleton's bone blocks in the order its kind word gives,
// every number in its format.
#include "platform/FormatError.h"
#include "skins/BcfConversion.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

[[noreturn]] void broken() { __builtin_trap(); }

void expect(bool condition) {
    if (!condition) broken();
}

bool isNoNumber(const std::string& text) { return text == "NAN" || text == "INF" || text == "-INF"; }

bool isInteger(const std::string& text) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::size_t significantDigits(const std::string& mantissa) {
    const std::size_t first = mantissa.find_first_of("123456789");
    const std::size_t last = mantissa.find_last_of("123456789");
    if (first == std::string::npos) return 0;
    std::size_t digits = 0;
    for (std::size_t i = first; i <= last; ++i) digits += mantissa[i] != '.';
    return digits;
}

// General format: plain decimal or mantissa "E" exponent, at most 15
// significant digits, the exponent form only below 0.00001 or from 1E15 on.
bool isGeneralReal(const std::string& text) {
    if (isNoNumber(text)) return true;
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    if (text.find_first_of("e+") != std::string::npos) return false;
    const std::size_t e = text.find('E');
    const std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos && (mantissa.back() == '0' || mantissa.back() == '.')) return false;
    const bool exponentForm = e != std::string::npos;
    const double magnitude = std::fabs(value);
    if (value != 0 && exponentForm != (magnitude < 0.00001 || magnitude >= 1e15)) return false;
    return significantDigits(mantissa) <= 15;
}

// "0.##": digits, then at most two decimals without a trailing zero; no "-0".
bool isTwoDecimals(const std::string& text) {
    if (isNoNumber(text)) return true;
    const std::size_t firstDigit = text.starts_with('-') ? 1 : 0;
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(firstDigit, point == std::string::npos ? std::string::npos : point - firstDigit);
    if (whole.empty() || whole.find_first_not_of("0123456789") != std::string::npos || text == "-0") return false;
    if (point == std::string::npos) return true;
    const std::string decimals = text.substr(point + 1);
    return !decimals.empty() && decimals.size() <= 2 && decimals.find_first_not_of("0123456789") == std::string::npos &&
           decimals.back() != '0';
}

bool isVectorLine(const std::string& line, std::size_t width) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    if (words.size() != width + 2 || words.front() != "|" || words.back() != "|") return false;
    for (std::size_t i = 1; i <= width; ++i) {
        if (!isGeneralReal(words[i])) return false;
    }
    return line == "| " + line.substr(2, line.size() - 4) + " |";
}

class Walk {
public:
    explicit Walk(const Lines& lines) : lines_(lines) {}
    const std::string& next() {
        expect(at_ < lines_.size());
        return lines_[at_++];
    }
    void integers(int count) {
        for (int i = 0; i < count; ++i) expect(isInteger(next()));
    }
    void tail(int count) {
        for (int i = 0; i < count; ++i) expect(next() == "0");
    }
    void ordinaryBone() {
        next();  // name
        next();  // parent
        expect(isGeneralReal(next()));
        transform();
    }
    void propertyBone() {
        next();
        next();
        integers(2);
        next();  // property name
        next();  // property value
        transform();
    }
    bool done() const { return at_ == lines_.size(); }

private:
    void transform() {
        expect(isVectorLine(next(), 3));
        expect(isVectorLine(next(), 4));
        integers(4);
        expect(isTwoDecimals(next()));
    }
    const Lines& lines_;
    std::size_t at_ = 0;
};

void checkSuit(const Lines& lines) {
    // Fewer skins than counted when the data ends early, never more.
    expect(lines.size() >= 9 && (lines.size() - 9) % 4 == 0);
    Walk walk(lines);
    walk.next();
    expect(walk.next() == "version 300");
    walk.integers(2);
    walk.next();  // suit name
    walk.tail(2);
    const std::string& counted = walk.next();
    expect(isInteger(counted) && std::stoi(counted) >= 0 && std::stoi(counted) <= 255);
    const std::size_t skins = (lines.size() - 9) / 4;
    expect(skins <= static_cast<std::size_t>(std::stoi(counted)));
    for (std::size_t i = 0; i < skins; ++i) {
        walk.next();  // bone name
        walk.next();  // skin name
        walk.tail(2);
    }
    walk.tail(1);
    expect(walk.done());
}

void checkSkeleton(const Lines& lines) {
    Walk walk(lines);
    walk.next();
    expect(walk.next() == "version 300");
    walk.integers(1);
    const std::string kind = walk.next();
    const std::string& count = walk.next();
    expect(isInteger(count));
    const long long bones = std::stoll(count);
    if (kind == "dog" || kind == "kat") {
        for (long long i = 0; i < bones; ++i) walk.ordinaryBone();
    } else {
        if (kind == "adult") walk.ordinaryBone();
        walk.propertyBone();
        if (kind == "child") walk.ordinaryBone();
        for (long long i = 2; i < bones; ++i) walk.ordinaryBone();
    }
    walk.tail(2);
    expect(walk.done());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    const bool suit = data[0] % 2 == 0;
    Lines lines;
    try {
        if (suit) {
            corvane::AppendSuitLines(bytes, "fuzz.bcf", "// fuzz", lines);
        } else {
            corvane::AppendSkeletonLines(bytes, "fuzz.bcf", "// fuzz", lines);
        }
    } catch (const corvane::FormatError&) {
        return 0;
    }
    suit ? checkSuit(lines) : checkSkeleton(lines);
    return 0;
}
