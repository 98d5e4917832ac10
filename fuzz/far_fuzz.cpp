// Feeds arbitrary bytes to the FAR directory reader as an archive's directory
// region, and every name it yields to both catalogue passes' tests: the reader
// returns entries or rejects the bytes with FormatError, never crashes,
// overruns or allocates more than the bytes it was given can describe.
#include "platform/FormatError.h"
#include "skins/FarArchive.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint32_t kDirectoryAfterHeader = 16;
    try {
        for (const auto& entry : corvane::ParseFarDirectory(std::span(data, size), kDirectoryAfterHeader, "fuzz.far")) {
            (void)corvane::IsMeshEntry(entry.entryName);
            (void)corvane::ClassifyCharacterEntry(entry.entryName);
        }
    } catch (const corvane::FormatError&) {
    }
    return 0;
}
