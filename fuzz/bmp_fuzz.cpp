// Feeds arbitrary bytes to the texture loader: it must either decode them or
// throw FormatError, never crash, overrun, hang or allocate without bound.
#include "platform/BmpCodec.h"
#include "platform/FormatError.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        corvane::Bitmap bitmap = corvane::LoadBmpWithSizeFix(std::span<const std::uint8_t>(data, size), "fuzz.bmp");
        const auto pixelCount = static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
        if (bitmap.pixels.size() != pixelCount || (bitmap.hasIndices() && bitmap.indices.size() != pixelCount)) {
            __builtin_trap();
        }
    } catch (const corvane::FormatError&) {
    }
    return 0;
}
