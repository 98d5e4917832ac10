#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// One entry of a FAR archive that the skin catalogue keeps: where its bytes
// are, and its name without the folders it was stored under.
struct FarRecordDetails {
    std::int32_t Size = 0;    // bytes of the entry
    std::int32_t Size2 = 0;   // the directory's second length, kept, never used
    std::int32_t Offset = 0;  // position of the entry's first byte in the archive
    std::filesystem::path ArchivePath;
    std::string EntryName;    // after the stored name's last backslash, case as stored
};

// The entry's bytes, read straight from its archive. Throws FormatError when
// the entry lies outside the archive, std::runtime_error when the archive
// cannot be read.
std::vector<std::uint8_t> ReadArchiveEntry(const FarRecordDetails& entry);

}  // namespace corvane
