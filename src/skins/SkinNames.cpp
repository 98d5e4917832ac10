#include "skins/SkinNames.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

// n[i..j] of the grammar: characters at 1-based positions i to j, empty when
// the name is shorter.
std::string_view at(std::string_view name, std::size_t first, std::size_t last) {
    if (name.size() < last) {
        return {};
    }
    return name.substr(first - 1, last - first + 1);
}

bool oneOf(std::string_view text, std::initializer_list<std::string_view> options) {
    return std::find(options.begin(), options.end(), text) != options.end();
}

}  // namespace

bool PassesSkinNameRules(std::string_view n) {
    const std::string_view first = at(n, 1, 1);
    return oneOf(first, {"b", "c", "f", "l", "s", "w", "h"}) ||
           (first == "g" && oneOf(at(n, 3, 4), {"ao", "ap", "ac", "lp", "rp", "lo", "ro", "lc", "rc"})) ||
           (first == "n" && oneOf(at(n, 2, 2), {"u", "f", "m"})) ||
           (first == "u" && oneOf(at(n, 2, 2), {"u", "f", "m"}) && at(n, 3, 3) != "o") ||
           (first == "p" && (at(n, 2, 3) == "js" || at(n, 2, 6) == "ajama")) ||
           at(n, 1, 5) == "xskin";
}

bool IsSkinFileName(std::string_view lowerName) {
    return PassesSkinNameRules(lowerName) && at(lowerName, 1, 5) != "child";
}

std::string StripNameChars(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        const bool printable = code >= 32 && code <= 126;
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_';
        if (!printable || kept) {
            out += c;
        }
    }
    return out;
}

std::string StripMarkupChars(std::string_view text) {
    constexpr std::string_view kMarkup = "\"/<>[\\]{}";
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [&](char c) { return kMarkup.find(c) == std::string_view::npos; });
    return out;
}

}  // namespace corvane
