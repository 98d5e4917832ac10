#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// The number formats of the game's text skin files. Always a point before
// the fraction, whatever the locale. Values that are no numbers (from a
// damaged binary) are written NAN, INF and -INF in every format.

// General format, at most 15 significant digits, trailing zeros dropped;
// exponent form ("1E-6") below 0.00001 or beyond 15 integer digits. A single
// holding 0.1, widened, gives "0.100000001490116".
std::string FormatGeneralReal(double value);

// "0.##": rounded to two decimals, trailing zeros and point dropped.
std::string FormatTwoDecimals(double value);

// "0.0######": at least one digit on each side of the point, at most seven
// decimals, rounded.
std::string FormatMeshReal(double value);

// "| a b c |" of a translation or rotation line, each value in the general format.
std::string FormatVectorLine(const float* values, int count);

}  // namespace corvane
