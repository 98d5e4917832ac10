#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The series number of new skin names, as the series fields keep it.

// What the field keeps of a typed text: every character that is not a digit
// becomes "0", so the caret keeps its place.
std::string SeriesDigitsOnly(std::string_view typed);

// The series as names carry it: the number with leading zeros to three digits
// ("7" gives "007"; a number of more digits keeps them all). An empty field is
// "000"; characters that are not digits count as "0".
std::string SeriesNumber(std::string_view field);

}  // namespace corvane
