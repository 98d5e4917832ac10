#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace corvane {

// The whole content of a file. Throws std::runtime_error naming the path when
// the file cannot be opened or read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

}  // namespace corvane
