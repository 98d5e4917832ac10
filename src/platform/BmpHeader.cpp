#include "platform/BmpHeader.h"

#include "platform/FormatError.h"

#include <algorithm>
#include <bit>

namespace corvane::bmp {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::array<std::uint32_t, 6> kKnownHeaderSizes{12, 40, 52, 56, 108, 124};

constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kColoursUsedField = 46;
constexpr std::size_t kMasksField = 54;

// Bounds on what a file may ask us to allocate.
constexpr std::int64_t kMaxSide = 32768;
constexpr std::int64_t kMaxPixels = std::int64_t{64} << 20;
constexpr std::uint32_t kMaxPaletteColours = 256;

constexpr ChannelMasks kMasks888{0xFF0000, 0x00FF00, 0x0000FF};

// ---------------------------------------------------------------- fields

void readCoreHeader(ByteReader& reader, BmpLayout& layout) {
    layout.width = reader.u16le();
    layout.height = reader.u16le();
    reader.skip(2);  // planes
    layout.bitCount = reader.u16le();
    layout.paletteEntrySize = 3;
}

void readInfoHeader(ByteReader& reader, BmpLayout& layout) {
    layout.width = reader.i32le();
    layout.height = reader.i32le();
    reader.skip(2);  // planes
    layout.bitCount = reader.u16le();
    layout.compression = reader.u32le();
    layout.imageSize = reader.u32le();
    reader.skip(8);  // resolution
    layout.coloursUsed = reader.u32le();
}

// Bit fields name their masks; 16- and 32-bit files without them use the
// defaults 5-5-5 and 8-8-8.
void readMasks(ByteReader& reader, BmpLayout& layout) {
    if (layout.compression == kBitFields) {
        reader.seek(kMasksField);
        for (auto& mask : layout.masks) {
            mask = reader.u32le();
        }
        if (layout.headerSize == kInfoHeaderSize) {
            layout.paletteOffset += sizeof(ChannelMasks);
        }
    } else if (layout.bitCount == 16) {
        layout.masks = kMasks555;
    } else if (layout.bitCount == 32) {
        layout.masks = kMasks888;
    }
}

BmpLayout readLayout(ByteReader& reader) {
    if (reader.size() < kFileHeaderSize + 4 || reader.chars(2) != "BM") {
        failAt(reader, 0, reader.size() < kFileHeaderSize + 4 ? "too short for a BMP header" : "not a BMP file");
    }
    BmpLayout layout;
    reader.seek(kPixelOffsetField);
    layout.pixelOffset = reader.u32le();
    layout.headerSize = reader.u32le();
    if (std::find(kKnownHeaderSizes.begin(), kKnownHeaderSizes.end(), layout.headerSize) == kKnownHeaderSizes.end()) {
        failAt(reader, kHeaderSizeField, "unsupported info header size " + text(layout.headerSize));
    }
    if (layout.headerSize > reader.size() - kFileHeaderSize) {
        failAt(reader, kHeaderSizeField,
               "info header of " + text(layout.headerSize) + " bytes runs past the end of the file");
    }
    if (layout.headerSize == kCoreHeaderSize) {
        readCoreHeader(reader, layout);
    } else {
        readInfoHeader(reader, layout);
    }
    layout.paletteOffset = kFileHeaderSize + layout.headerSize;
    readMasks(reader, layout);
    return layout;
}

// ---------------------------------------------------------------- validation

void validateDimensions(const ByteReader& reader, const BmpLayout& layout) {
    if (layout.width <= 0) {
        failAt(reader, kWidthField, "width " + text(layout.width) + " is not positive");
    }
    if (layout.height == 0) {
        failAt(reader, kHeightField, "height is 0");
    }
    std::int64_t rows = layout.height < 0 ? -layout.height : layout.height;
    if (layout.width > kMaxSide || rows > kMaxSide || layout.width * rows > kMaxPixels) {
        failAt(reader, kWidthField, "dimensions " + text(layout.width) + " x " + text(rows) + " are too large");
    }
}

void validateEncoding(const ByteReader& reader, const BmpLayout& layout) {
    const std::size_t bitCountField = kFileHeaderSize + (layout.headerSize == kCoreHeaderSize ? 10 : 14);
    const int bits = layout.bitCount;
    bool supported = false;
    switch (layout.compression) {
        case kRgb:
            supported = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
            break;
        case kRle8:
            supported = bits == 8;
            break;
        case kRle4:
            supported = bits == 4;
            break;
        case kBitFields:
            supported = bits == 16 || bits == 32;
            break;
        default:
            failAt(reader, kCompressionField, "unsupported compression " + text(layout.compression));
    }
    if (!supported) {
        failAt(reader, bitCountField,
               "bit count " + text(bits) + " does not go with compression " + text(layout.compression));
    }
    if (layout.headerSize == kCoreHeaderSize && bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        failAt(reader, bitCountField, "bit count " + text(bits) + " in a core header");
    }
}

bool isContiguous(std::uint32_t mask) {
    std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

void validateMasks(const ByteReader& reader, const BmpLayout& layout) {
    if (layout.compression != kBitFields) {
        return;
    }
    const std::uint64_t pixelBits = std::uint64_t{1} << layout.bitCount;
    std::uint32_t seen = 0;
    for (std::uint32_t mask : layout.masks) {
        if (mask == 0 || !isContiguous(mask) || mask >= pixelBits || (mask & seen) != 0) {
            failAt(reader, kMasksField,
                   "colour masks are not three separate bit ranges of a " + text(layout.bitCount) + "-bit pixel");
        }
        seen |= mask;
    }
}

void requirePixelsAfterHeaders(const ByteReader& reader, const BmpLayout& layout) {
    if (layout.pixelOffset < layout.paletteOffset) {
        failAt(reader, kPixelOffsetField,
               "pixel data offset " + text(static_cast<std::int64_t>(layout.pixelOffset)) + " lies inside the headers");
    }
}

void requirePixelsInFile(const ByteReader& reader, const BmpLayout& layout) {
    if (layout.pixelOffset > reader.size()) {
        failAt(reader, kPixelOffsetField,
               "pixel data offset " + text(static_cast<std::int64_t>(layout.pixelOffset)) + " is past the end");
    }
}

// ---------------------------------------------------------------- palette

// The palette ends where the pixels begin: short palettes of the game's
// textures say their length in "colours used" and move the pixels up.
std::vector<Rgb> readPalette(ByteReader& reader, const BmpLayout& layout) {
    if (!layout.paletted()) {
        return {};
    }
    std::uint32_t count = layout.coloursUsed != 0 ? layout.coloursUsed : (std::uint32_t{1} << layout.bitCount);
    if (count > kMaxPaletteColours) {
        failAt(reader, kColoursUsedField, "palette of " + text(count) + " colours");
    }
    const std::size_t room = (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntrySize;
    count = static_cast<std::uint32_t>(std::min<std::size_t>(count, room));
    if (count == 0) {
        failAt(reader, kPixelOffsetField, "no room for a palette before the pixel data");
    }
    if (layout.paletteOffset + std::uint64_t{count} * layout.paletteEntrySize > reader.size()) {
        failAt(reader, layout.paletteOffset, "palette of " + text(count) + " colours runs past the end of the file");
    }
    reader.seek(layout.paletteOffset);
    std::vector<Rgb> palette(count);
    for (Rgb& colour : palette) {
        colour.b = reader.u8();
        colour.g = reader.u8();
        colour.r = reader.u8();
        reader.skip(layout.paletteEntrySize - 3);
    }
    return palette;
}

}  // namespace

bool startsAsKnownBmp(std::span<const std::uint8_t> head) {
    if (head.size() < kFileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M') return false;
    const std::uint32_t headerSize = static_cast<std::uint32_t>(head[14]) | static_cast<std::uint32_t>(head[15]) << 8 |
                                     static_cast<std::uint32_t>(head[16]) << 16 |
                                     static_cast<std::uint32_t>(head[17]) << 24;
    return std::find(kKnownHeaderSizes.begin(), kKnownHeaderSizes.end(), headerSize) != kKnownHeaderSizes.end();
}

BmpHeaders readHeaders(ByteReader& reader) {
    BmpHeaders headers;
    headers.layout = readLayout(reader);
    validateDimensions(reader, headers.layout);
    validateEncoding(reader, headers.layout);
    validateMasks(reader, headers.layout);
    requirePixelsAfterHeaders(reader, headers.layout);
    headers.palette = readPalette(reader, headers.layout);
    requirePixelsInFile(reader, headers.layout);
    return headers;
}

void failAt(const ByteReader& reader, std::uint64_t offset, const std::string& what) {
    throw FormatError(reader.fileName(), offset, what);
}

}  // namespace corvane::bmp
