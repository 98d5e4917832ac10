#include "platform/WineRegistryFileEscapes.h"

#include <array>

namespace corvane {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool isContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The character of the UTF-8 sequence at `text[position]`, advancing past it;
// a malformed sequence yields its first byte as a Latin-1 character.
char32_t decodeUtf8At(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 1 || length == 0 || position + length > text.size()) {
        ++position;
        return lead;
    }
    char32_t character = lead & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[position + i]);
        if (!isContinuationByte(byte)) {
            ++position;
            return lead;
        }
        character = (character << 6) | (byte & 0x3F);
    }
    static constexpr std::array<char32_t, 5> kSmallestOfLength{0, 0, 0x80, 0x800, 0x10000};
    if (character < kSmallestOfLength[length] || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) {
        ++position;
        return lead;
    }
    position += length;
    return character;
}

void appendUtf16(std::u16string& out, char32_t character) {
    if (character < 0x10000) {
        out += static_cast<char16_t>(character);
    } else {
        character -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (character >> 10));
        out += static_cast<char16_t>(0xDC00 + (character & 0x3FF));
    }
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// Control characters with a letter escape; '.' marks those written in octal.
constexpr std::string_view kControlEscapes = ".......abtnvfr.............e....";

// Reads up to `maxDigits` digits of `base` at `text[position]`, advancing past them.
char16_t readNumber(std::string_view text, std::size_t& position, int base, std::size_t maxDigits) {
    unsigned value = 0;
    for (std::size_t digits = 0; digits < maxDigits && position < text.size(); ++digits, ++position) {
        int digit = hexDigitValue(text[position]);
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    return static_cast<char16_t>(value);
}

// The code unit of the escape whose letter is at `text[position]`, advancing past the escape.
char16_t decodeEscape(std::string_view text, std::size_t& position) {
    const char letter = text[position];
    if (letter == 'x' && position + 1 < text.size() && hexDigitValue(text[position + 1]) >= 0) {
        ++position;
        return readNumber(text, position, 16, 4);
    }
    if (isOctalDigit(letter)) {
        return readNumber(text, position, 8, 3);
    }
    ++position;
    const std::size_t control = kControlEscapes.find(letter);
    return control != std::string_view::npos && letter != '.' ? static_cast<char16_t>(control)
                                                              : static_cast<char16_t>(static_cast<unsigned char>(letter));
}

void appendNumber(std::string& out, unsigned value, unsigned base, std::size_t minDigits) {
    static constexpr std::string_view kDigits = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % base]);
        value /= base;
    } while (value != 0);
    if (digits.size() < minDigits) {
        digits.insert(0, minDigits - digits.size(), '0');
    }
    out += digits;
}

// Numeric escapes are as short as possible, padded only when a digit follows.
void appendEscaped(std::string& out, char16_t unit, char16_t nextUnit) {
    if (unit > 0x7F) {
        const bool hexDigitFollows = nextUnit < 0x80 && hexDigitValue(static_cast<char>(nextUnit)) >= 0;
        out += "\\x";
        appendNumber(out, unit, 16, hexDigitFollows ? 4 : 1);
    } else if (unit < 0x20) {
        out += '\\';
        if (kControlEscapes[unit] != '.') {
            out += kControlEscapes[unit];
        } else {
            const bool octalDigitFollows = nextUnit < 0x80 && isOctalDigit(static_cast<char>(nextUnit));
            appendNumber(out, unit, 8, octalDigitFollows ? 3 : 1);
        }
    } else {
        if (unit == '\\' || unit == '"') {
            out += '\\';
        }
        out += static_cast<char>(unit);
    }
}

}  // namespace

WineUnescaped UnescapeWineString(std::string_view text, char terminator) {
    WineUnescaped result;
    std::size_t position = 0;
    while (position < text.size()) {
        const char c = text[position];
        if (c == terminator) {
            result.terminated = true;
            break;
        }
        if (c == '\\' && position + 1 < text.size()) {
            ++position;
            result.units += decodeEscape(text, position);
        } else {
            appendUtf16(result.units, decodeUtf8At(text, position));
        }
    }
    result.length = position;
    return result;
}

std::string EscapeWineString(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        appendEscaped(out, units[i], i + 1 < units.size() ? units[i + 1] : u'\0');
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, high || low ? kReplacementCharacter : unit);
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        appendUtf16(out, decodeUtf8At(utf8, position));
    }
    return out;
}

}  // namespace corvane
