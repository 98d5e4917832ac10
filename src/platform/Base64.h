#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Base64 of the standard alphabet with "=" padding, in one line.
std::string EncodeBase64(std::span<const std::uint8_t> bytes);

// The bytes of base64 text; blanks and line breaks anywhere are ignored.
// Nothing when the text holds any other character, padding anywhere but at
// the end, or a count of characters that is not whole groups of four.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

}  // namespace corvane
