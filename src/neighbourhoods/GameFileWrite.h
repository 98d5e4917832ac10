#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace corvane {

// Writes a game file all-or-nothing, keeping a copy of its original first (see
// AutoBackup). When no copy can be kept the file is not written and
// std::runtime_error says why.
void WriteGameFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                   const std::filesystem::path& gameFolder);

}  // namespace corvane
