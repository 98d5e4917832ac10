#include "demo/IffFileWriter.h"

#include "iff/IffContainer.h"

#include <string_view>

namespace corvane {

std::vector<std::uint8_t> MakeIffFile(const std::vector<std::vector<std::uint8_t>>& chunks) {
    constexpr std::string_view kSignature("IFF FILE 2.5:TYPE FOLLOWED BY SIZE\0 SYNTHETIC GAME FOR TESTS  ", 60);
    std::vector<std::uint8_t> file(kSignature.begin(), kSignature.end());
    file.resize(kIffHeaderSize, 0);
    for (const auto& chunk : chunks) {
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    WriteResourceMap(file);
    return file;
}

}  // namespace corvane
