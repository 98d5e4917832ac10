// Feeds arbitrary bytes to both JPEG decoders (true colour, and quantised to the
// game's 236 colours): each must decode them or throw FormatError, never end the
// process, crash, overrun, hang or allocate without bound.
#include "platform/FormatError.h"
#include "render/JpegCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

std::size_t pixelCount(const corvane::Bitmap& bitmap) {
    return static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
}

void decodeTrueColour(std::span<const std::uint8_t> bytes) {
    try {
        const corvane::Bitmap bitmap = corvane::DecodeJpeg24(bytes, "fuzz.jpg");
        if (bitmap.pixels.size() != pixelCount(bitmap) || bitmap.hasIndices()) {
            __builtin_trap();
        }
    } catch (const corvane::FormatError&) {
    }
}

void decodeQuantised(std::span<const std::uint8_t> bytes) {
    try {
        const corvane::Bitmap bitmap = corvane::DecodeJpegQuantized(bytes, corvane::kGameImageColours, "fuzz.jpg");
        if (bitmap.indices.size() != pixelCount(bitmap) || bitmap.pixels.size() != pixelCount(bitmap) ||
            bitmap.palette.size() > static_cast<std::size_t>(corvane::kGameImageColours)) {
            __builtin_trap();
        }
        for (const std::uint8_t index : bitmap.indices) {
            if (index >= bitmap.palette.size()) {
                __builtin_trap();
            }
        }
    } catch (const corvane::FormatError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    decodeTrueColour(bytes);
    decodeQuantised(bytes);
    return 0;
}
