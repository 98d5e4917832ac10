#include "skintools/SkinSeries.h"

namespace corvane {

std::string SeriesDigitsOnly(std::string_view typed) {
    std::string digits(typed);
    for (char& c : digits) {
        if (c < '0' || c > '9') c = '0';
    }
    return digits;
}

std::string SeriesNumber(std::string_view field) {
    std::string digits = SeriesDigitsOnly(field);
    // Leading zeros beyond three digits are the number's padding, not part of it.
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    digits = firstSignificant == std::string::npos ? std::string() : digits.substr(firstSignificant);
    return digits.size() >= 3 ? digits : std::string(3 - digits.size(), '0') + digits;
}

}  // namespace corvane
