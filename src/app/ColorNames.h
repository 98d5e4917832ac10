#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

// The toolkit's colour-name conversion: a "$"-prefixed hexadecimal number in
// the 0x00BBGGRR layout, or a colour identifier such as "clNavy" (letter case
// ignored). Nothing for anything else, and for values that are no 24-bit colour.
std::optional<std::uint32_t> ColorFromName(std::string_view text);

// A colour switch's value: "cl" is put in front unless it begins with "$" or
// "cl"; a value that does not convert gives `fallback`.
std::uint32_t ColorFromSwitch(std::string_view value, std::uint32_t fallback);

}  // namespace corvane
