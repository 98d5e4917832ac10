#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// What a JPEG file may ask of the decoder. Files beyond these are refused with a
// FormatError before the picture is decoded, so a damaged or hostile header
// cannot make the editor allocate or work without bound.
inline constexpr std::uint64_t kJpegMaxPixels = std::uint64_t{64} << 20;
inline constexpr int kJpegMaxScans = 100;
// libjpeg's own work buffers (whole-image buffers of progressive files and of the
// two-pass quantiser); the decoded picture itself is not counted.
inline constexpr long kJpegMaxDecoderMemory = 256L << 20;

// The palette size of the game's 8-bit pictures: character images and
// colour-corrected textures.
inline constexpr int kGameImageColours = 236;

// A baseline JPEG of the bitmap's colours with libjpeg's defaults (colour at half
// resolution) and the given quality, 1 to 100. Throws std::invalid_argument for an
// empty bitmap, a pixel count that does not match the size, or a quality out of
// range; std::runtime_error when libjpeg refuses the picture (sides above 65500).
std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality);

// A true-colour bitmap (bitDepth 24) of a JPEG file. Greyscale files come out as
// grey RGB. Damage inside the compressed picture data is tolerated as far as
// libjpeg can resynchronise (the rest of the picture comes out grey); a file that
// is not a JPEG, a broken header, an unsupported colour space or a picture past the
// limits above throws FormatError naming `fileName` and the offset the decoder
// had reached.
Bitmap DecodeJpeg24(std::span<const std::uint8_t> bytes, const std::string& fileName = {});

// An 8-bit palette bitmap (bitDepth 8) of a JPEG file, its colours chosen by
// libjpeg's two-pass quantiser with Floyd–Steinberg dithering: at most
// `maxColours` palette entries. Throws std::invalid_argument unless maxColours is
// 8 to 256 (what the quantiser accepts), otherwise as DecodeJpeg24.
Bitmap DecodeJpegQuantized(std::span<const std::uint8_t> bytes, int maxColours, const std::string& fileName = {});

// Encodes at quality 100 and decodes as true colour: every texture passes through
// this before it is uploaded, which also turns palette images into true colour.
Bitmap JpegRoundTrip24(const Bitmap& bitmap);

// Encodes at quality 100 and decodes quantised to at most `maxColours`: how the
// game's 8-bit pictures are made from rendered or edited true-colour ones.
Bitmap JpegRoundTrip8(const Bitmap& bitmap, int maxColours = kGameImageColours);

}  // namespace corvane
