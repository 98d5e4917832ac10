#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvane {

// Little-endian values in byte buffers, for the writers and the in-place
// updates of the game's files (the readers use ByteReader).

// The 32-bit value at `at`; nothing when it runs past the end.
inline std::optional<std::uint32_t> U32LeAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
    return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16)) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// Overwrites `count` bytes at `at` (the caller has checked they exist).
inline void PutLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int count = 4) {
    for (int i = 0; i < count; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void AppendLe(std::vector<std::uint8_t>& out, std::uint32_t value, int count = 4) {
    for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace corvane
