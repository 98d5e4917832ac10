#include "skins/SkinNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace corvane {

namespace {

constexpr int kSignificantDigits = 15;
constexpr double kSmallestFixed = 0.00001;

// Locale-free conversions: the game's files always use a point.
std::string toChars(double value, std::chars_format format, int precision) {
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

void dropTrailingZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos) {
        return;
    }
    while (digits.back() == '0') {
        digits.pop_back();
    }
    if (digits.back() == '.') {
        digits.pop_back();
    }
}

// `value` with exactly `decimals` decimals, a tie rounded away from zero as
// the game's tools do (printf would round it to even).
std::string fixedAwayFromZero(double value, int decimals) {
    std::string exact = toChars(std::fabs(value), std::chars_format::fixed, 60);
    const std::size_t point = exact.find('.');
    const std::size_t cut = point + 1 + static_cast<std::size_t>(decimals);
    const bool up = exact[cut] >= '5';
    std::string kept = exact.substr(0, decimals == 0 ? point : cut);
    if (up) {
        // Add one unit in the last kept place, carrying to the left.
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<std::size_t>(i)] == '.') continue;
            if (kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i)] = '0';
            } else {
                ++kept[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        }
    }
    const bool negative = value < 0 && kept.find_first_not_of("0.") != std::string::npos;
    return negative ? "-" + kept : kept;
}

// A damaged binary can hold any bit pattern; the game's tools spell the
// values that are no numbers this way in every format.
std::optional<std::string> notANumberText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    return std::nullopt;
}

}  // namespace

std::string FormatGeneralReal(double value) {
    if (auto special = notANumberText(value)) {
        return *special;
    }
    if (value == 0) {
        return "0";
    }
    std::string scientific = toChars(value, std::chars_format::scientific, kSignificantDigits - 1);
    const std::size_t e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    if (std::fabs(value) < kSmallestFixed || exponent >= kSignificantDigits) {
        std::string mantissa = scientific.substr(0, e);
        dropTrailingZeros(mantissa);
        return mantissa + "E" + std::to_string(exponent);
    }
    std::string fixed = toChars(value, std::chars_format::fixed, kSignificantDigits - 1 - exponent);
    dropTrailingZeros(fixed);
    return fixed;
}

std::string FormatTwoDecimals(double value) {
    if (auto special = notANumberText(value)) {
        return *special;
    }
    std::string text = fixedAwayFromZero(value, 2);
    dropTrailingZeros(text);
    return text == "-0" ? "0" : text;
}

std::string FormatMeshReal(double value) {
    if (auto special = notANumberText(value)) {
        return *special;
    }
    std::string text = fixedAwayFromZero(value, 7);
    dropTrailingZeros(text);
    if (text.find('.') == std::string::npos) {
        text += ".0";
    }
    return text == "-0.0" ? "0.0" : text;
}

std::string FormatVectorLine(const float* values, int count) {
    std::string line = "|";
    for (int i = 0; i < count; ++i) {
        line += " " + FormatGeneralReal(static_cast<double>(values[i]));
    }
    return line + " |";
}

}  // namespace corvane
