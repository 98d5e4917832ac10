#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Sizes and codes of the BMP format that its reader and its writer share.
namespace corvane::bmp {

inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kInfoHeaderSize = 40;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

inline std::string text(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace corvane::bmp
