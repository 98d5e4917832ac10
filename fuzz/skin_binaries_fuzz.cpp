// Feeds arbitrary bytes to the readers of the archives' binary skins (suits,
// skeletons, meshes) and of archive directories: each converts the bytes or
// rejects them with FormatError, never crashes, overruns or allocates without bound.
#include "platform/FormatError.h"
#include "skins/BcfConversion.h"
#include "skins/FarArchive.h"
#include "skins/SknConversion.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses the reader, so one corpus reaches all four.
    const std::span<const std::uint8_t> bytes(data + 1, size - 1);
    std::vector<std::string> lines;
    try {
        switch (data[0] % 4) {
            case 0: corvane::AppendSuitLines(bytes, "fuzz.bcf", "//", lines); break;
            case 1: corvane::AppendSkeletonLines(bytes, "fuzz.bcf", "//", lines); break;
            case 2: corvane::AppendMeshLines(bytes, "fuzz.bmf", lines); break;
            default: (void)corvane::ParseFarDirectory(bytes, 0, "fuzz.far"); break;
        }
    } catch (const corvane::FormatError&) {
    }
    return 0;
}
