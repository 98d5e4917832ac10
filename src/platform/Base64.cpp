#include "platform/Base64.h"

#include <array>

namespace corvane {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::int8_t kNoDigit = -1;

constexpr std::array<std::int8_t, 256> digitTable() {
    std::array<std::int8_t, 256> table{};
    table.fill(kNoDigit);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    return table;
}

constexpr std::array<std::int8_t, 256> kDigits = digitTable();

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string EncodeBase64(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const std::uint32_t group = std::uint32_t{bytes[i]} << 16 | (left > 1 ? std::uint32_t{bytes[i + 1]} << 8 : 0) |
                                    (left > 2 ? std::uint32_t{bytes[i + 2]} : 0);
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += left > 1 ? kAlphabet[group >> 6 & 63] : '=';
        text += left > 2 ? kAlphabet[group & 63] : '=';
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (const char c : text) {
        if (!isBlank(c)) digits += c;
    }
    if (digits.size() % 4 != 0) return std::nullopt;
    // Up to two "=" close the last group, and nothing else may.
    std::size_t padding = 0;
    while (padding < 2 && padding < digits.size() && digits[digits.size() - 1 - padding] == '=') ++padding;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 4 * 3);
    for (std::size_t i = 0; i < digits.size(); i += 4) {
        std::uint32_t group = 0;
        for (std::size_t j = i; j < i + 4; ++j) {
            const bool padded = j >= digits.size() - padding;
            const std::int8_t digit = padded ? 0 : kDigits[static_cast<unsigned char>(digits[j])];
            if (digit == kNoDigit) return std::nullopt;
            group = group << 6 | static_cast<std::uint32_t>(digit);
        }
        const std::size_t count = i + 4 == digits.size() ? 3 - padding : 3;
        for (std::size_t k = 0; k < count; ++k) bytes.push_back(static_cast<std::uint8_t>(group >> (16 - 8 * k)));
    }
    return bytes;
}

}  // namespace corvane
