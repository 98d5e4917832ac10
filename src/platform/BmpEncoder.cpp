#include "platform/BmpCodec.h"
#include "platform/LittleEndian.h"

#include "platform/BmpFormat.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

// Writes BMP files: BITMAPFILEHEADER, a 40-byte BITMAPINFOHEADER, the palette
// (B, G, R, 0 per colour) and the rows bottom-up, each padded to 4 bytes.

namespace corvane {

namespace {

using namespace bmp;

void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendLe(out, value);
}

void appendColour(std::vector<std::uint8_t>& out, Rgb colour) {
    out.insert(out.end(), {colour.b, colour.g, colour.r});
}

void requireWritable(const Bitmap& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        throw std::invalid_argument("cannot write a " + text(bitmap.width) + " x " + text(bitmap.height) +
                                    " bitmap holding " + text(static_cast<std::int64_t>(bitmap.pixels.size())) +
                                    " pixels as BMP");
    }
}

std::uint32_t checkedU32(std::uint64_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::invalid_argument("bitmap too large for a BMP file");
    }
    return static_cast<std::uint32_t>(value);
}

// Bottom-up, uncompressed, with a BITMAPINFOHEADER and `paletteColours` entries.
std::vector<std::uint8_t> startFile(const Bitmap& bitmap, std::uint16_t bitCount, std::uint32_t paletteColours) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(bitmap.width) * bitCount + 31) / 32 * 4;
    const std::uint32_t imageSize = checkedU32(stride * static_cast<std::uint64_t>(bitmap.height));
    const std::uint32_t pixelOffset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * paletteColours);
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t{pixelOffset} + imageSize);
    out.insert(out.end(), {'B', 'M'});
    appendU32(out, checkedU32(std::uint64_t{pixelOffset} + imageSize));
    appendU32(out, 0);
    appendU32(out, pixelOffset);
    appendU32(out, kInfoHeaderSize);
    appendU32(out, static_cast<std::uint32_t>(bitmap.width));
    appendU32(out, static_cast<std::uint32_t>(bitmap.height));
    appendU16(out, 1);  // planes
    appendU16(out, bitCount);
    appendU32(out, kRgb);
    appendU32(out, imageSize);
    appendU32(out, 0);  // horizontal resolution
    appendU32(out, 0);  // vertical resolution
    appendU32(out, paletteColours);
    appendU32(out, 0);  // all colours important
    return out;
}

void padRow(std::vector<std::uint8_t>& out, std::size_t rowStart) {
    while ((out.size() - rowStart) % 4 != 0) {
        out.push_back(0);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
    requireWritable(bitmap);
    std::vector<std::uint8_t> out = startFile(bitmap, 24, 0);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < bitmap.width; ++x) {
            appendColour(out, bitmap.at(x, y));
        }
        padRow(out, rowStart);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp8(const Bitmap& bitmap) {
    requireWritable(bitmap);
    if (bitmap.indices.size() != bitmap.pixels.size()) {
        throw std::invalid_argument("an 8-bit BMP needs a palette index for every pixel");
    }
    const std::size_t highestIndex = *std::max_element(bitmap.indices.begin(), bitmap.indices.end());
    const auto paletteColours =
        static_cast<std::uint32_t>(std::min<std::size_t>(std::max(bitmap.palette.size(), highestIndex + 1), 256));
    std::vector<std::uint8_t> out = startFile(bitmap, 8, paletteColours);
    for (std::uint32_t i = 0; i < paletteColours; ++i) {
        appendColour(out, bitmap.paletteColour(static_cast<std::uint8_t>(i)));
        out.push_back(0);
    }
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < bitmap.width; ++x) {
            out.push_back(bitmap.indexAt(x, y));
        }
        padRow(out, rowStart);
    }
    return out;
}

}  // namespace corvane
