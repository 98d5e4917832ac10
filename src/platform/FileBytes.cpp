#include "platform/FileBytes.h"

#include "platform/RegularFile.h"

namespace corvane {

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    return RegularFile(path).readAll();
}

}  // namespace corvane
