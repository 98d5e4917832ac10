#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace corvane {

// The whole content of a file. Throws std::runtime_error naming the path when
// the file cannot be opened or read, or is no regular file (a FIFO, a device:
// see RegularFile), which is refused without waiting on it.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

}  // namespace corvane
