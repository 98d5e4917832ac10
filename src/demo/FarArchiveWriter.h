#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// One file to store in an archive: its stored name (folders allowed, with
// backslashes) and its bytes.
struct FarArchiveFile {
    std::string storedName;
    std::vector<std::uint8_t> bytes;
};

// A FAR archive as the game ships them: "FAR!byAZ", version 1, the offset of
// the directory at 12, the files' bytes, then the directory.
std::vector<std::uint8_t> MakeFarArchive(const std::vector<FarArchiveFile>& files);

}  // namespace corvane
