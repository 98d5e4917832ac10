#include "skins/WildcardMask.h"

namespace corvane {

namespace {
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool MatchesMask(std::string_view mask, std::string_view name) {
    if (mask == "*.*") {
        return true;  // as on the game's system: every name, with or without a dot
    }
    // Greedy matching with one backtrack point: linear for masks with few stars.
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || lower(mask[m]) == lower(name[n]))) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

}  // namespace corvane
