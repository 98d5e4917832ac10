#pragma once

#include "platform/Bitmap.h"
#include "platform/BmpFormat.h"
#include "platform/ByteReader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/*
 BMP file layout, all values little-endian:

    0  "BM"
    2  u32 file size          not trusted: the game writes 0 here
    6  u32 reserved
   10  u32 pixel data offset
   14  info header, starting with its own size:
         12 (core):  u16 width, u16 height, u16 planes, u16 bit count
         40 .. 124:  i32 width, i32 height (negative: rows stored top-down),
                     u16 planes, u16 bit count, u32 compression (offset 30),
                     u32 image size (offset 34), i32 x and y resolution,
                     u32 colours used (offset 46), u32 colours important;
                     headers of 52 bytes and more go on with the red, green and
                     blue masks at offset 54, where a 40-byte header with bit
                     fields has them right after it
       palette: B, G, R, 0 per colour (B, G, R in a core file), up to the pixels
   pixel data: rows bottom-up unless the height is negative, each padded to a
       multiple of 4 bytes; or an RLE stream of (count, index) pairs and escapes
*/

// What the BMP reader learns from the headers of a file, shared by its row and
// run-length decoders.
namespace corvane::bmp {

// Field offsets, for reads and for naming the field at fault.
inline constexpr std::size_t kPixelOffsetField = 10;
inline constexpr std::size_t kHeaderSizeField = 14;
inline constexpr std::size_t kCompressionField = 30;
inline constexpr std::size_t kImageSizeField = 34;

using ChannelMasks = std::array<std::uint32_t, 3>;  // red, green, blue
inline constexpr ChannelMasks kMasks555{0x7C00, 0x03E0, 0x001F};

struct BmpLayout {
    std::size_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // as stored: negative for top-down rows
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    ChannelMasks masks{};
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;

    int rows() const { return static_cast<int>(height < 0 ? -height : height); }
    int columns() const { return static_cast<int>(width); }
    bool topDown() const { return height < 0; }
    bool paletted() const { return bitCount <= 8; }
    bool runLengthEncoded() const { return compression == kRle8 || compression == kRle4; }

    // Where pixel `x` of stored row `storedRow` lands in the top-down bitmap.
    std::size_t pixelIndex(std::int64_t storedRow, std::int64_t x) const {
        const std::int64_t row = topDown() ? storedRow : rows() - 1 - storedRow;
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

// Everything before the pixel data, checked: the dimensions and encoding are
// supported and within bounds, and the pixel data starts inside the file after
// the headers. The palette is empty for a true-colour file.
struct BmpHeaders {
    BmpLayout layout;
    std::vector<Rgb> palette;
};

BmpHeaders readHeaders(ByteReader& reader);

// True when `head` begins as a BMP file the reader knows: the signature and
// an info header size it reads. (Whether the rest holds is readHeaders' job.)
bool startsAsKnownBmp(std::span<const std::uint8_t> head);

[[noreturn]] void failAt(const ByteReader& reader, std::uint64_t offset, const std::string& what);

}  // namespace corvane::bmp
