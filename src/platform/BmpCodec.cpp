#include "platform/BmpCodec.h"

#include "platform/BmpFormat.h"
#include "platform/ByteReader.h"
#include "platform/FormatError.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <stdexcept>

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

namespace corvane {

namespace {

using namespace bmp;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::array<std::uint32_t, 6> kKnownHeaderSizes{12, 40, 52, 56, 108, 124};

// Field offsets, for reads and for naming the field at fault.
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kHeaderSizeField = 14;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kImageSizeField = 34;
constexpr std::size_t kColoursUsedField = 46;
constexpr std::size_t kMasksField = 54;

// Bounds on what a file may ask us to allocate.
constexpr std::int64_t kMaxSide = 32768;
constexpr std::int64_t kMaxPixels = std::int64_t{64} << 20;
constexpr std::uint32_t kMaxPaletteColours = 256;

using ChannelMasks = std::array<std::uint32_t, 3>;  // red, green, blue
constexpr ChannelMasks kMasks555{0x7C00, 0x03E0, 0x001F};
constexpr ChannelMasks kMasks888{0xFF0000, 0x00FF00, 0x0000FF};

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
};

[[noreturn]] void failAt(const ByteReader& reader, std::uint64_t offset, const std::string& what) {
    throw FormatError(reader.fileName(), offset, what);
}

// ---------------------------------------------------------------- headers

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

BmpLayout readHeaders(ByteReader& reader) {
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

// ---------------------------------------------------------------- pixels

// Where stored row `row` lands in the top-down bitmap.
std::size_t destinationRow(const BmpLayout& layout, std::int64_t row) {
    return static_cast<std::size_t>(layout.topDown() ? row : layout.rows() - 1 - row);
}

std::size_t pixelIndex(const BmpLayout& layout, std::int64_t storedRow, std::int64_t x) {
    return destinationRow(layout, storedRow) * static_cast<std::size_t>(layout.width) + static_cast<std::size_t>(x);
}

std::uint8_t scaleChannel(std::uint32_t value, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint64_t maximum = mask >> shift;
    const std::uint64_t level = (value & mask) >> shift;
    return static_cast<std::uint8_t>((level * 255 + maximum / 2) / maximum);
}

Rgb maskedColour(std::uint32_t value, const ChannelMasks& masks) {
    return {scaleChannel(value, masks[0]), scaleChannel(value, masks[1]), scaleChannel(value, masks[2])};
}

std::uint32_t littleEndian(std::span<const std::byte> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        value |= std::to_integer<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

Rgb trueColourAt(std::span<const std::byte> row, std::int64_t x, const BmpLayout& layout) {
    const std::size_t bytesPerPixel = static_cast<std::size_t>(layout.bitCount / 8);
    auto pixel = row.subspan(static_cast<std::size_t>(x) * bytesPerPixel, bytesPerPixel);
    if (layout.bitCount == 24) {
        return {std::to_integer<std::uint8_t>(pixel[2]), std::to_integer<std::uint8_t>(pixel[1]),
                std::to_integer<std::uint8_t>(pixel[0])};
    }
    return maskedColour(littleEndian(pixel), layout.masks);
}

std::uint8_t indexAt(std::span<const std::byte> row, std::int64_t x, int bitCount) {
    const std::uint64_t bit = static_cast<std::uint64_t>(x) * static_cast<std::uint64_t>(bitCount);
    const auto byte = std::to_integer<unsigned>(row[static_cast<std::size_t>(bit / 8)]);
    const unsigned shift = 8u - static_cast<unsigned>(bitCount) - static_cast<unsigned>(bit % 8);
    return static_cast<std::uint8_t>((byte >> shift) & ((1u << bitCount) - 1u));
}

// Checks that the rows fit in the file before anything is allocated. The last
// row may lack its padding.
void validateUncompressedSize(const ByteReader& reader, const BmpLayout& layout, std::uint64_t stride,
                              std::uint64_t rowBytes) {
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(layout.rows() - 1) + rowBytes;
    const std::uint64_t available = reader.size() - layout.pixelOffset;
    if (needed > available) {
        failAt(reader, layout.pixelOffset,
               "pixel data needs " + text(static_cast<std::int64_t>(needed)) + " bytes, only " +
                   text(static_cast<std::int64_t>(available)) + " follow");
    }
    if (layout.imageSize != 0 && (layout.imageSize < needed || layout.imageSize > available)) {
        failAt(reader, kImageSizeField,
               "image size " + text(layout.imageSize) + " disagrees with the " +
                   text(static_cast<std::int64_t>(needed)) + " bytes of pixel data");
    }
}

// Calls `paintRow(storedRow, rowData)` for every row of an uncompressed file.
template <typename PaintRow>
void forEachStoredRow(ByteReader& reader, const BmpLayout& layout, PaintRow paintRow) {
    const std::uint64_t rowBits = static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitCount);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    const std::uint64_t rowBytes = (rowBits + 7) / 8;
    validateUncompressedSize(reader, layout, stride, rowBytes);
    for (std::int64_t row = 0; row < layout.rows(); ++row) {
        reader.seek(layout.pixelOffset + static_cast<std::size_t>(stride * static_cast<std::uint64_t>(row)));
        paintRow(row, reader.bytes(static_cast<std::size_t>(rowBytes)));
    }
}

std::vector<std::uint8_t> readIndices(ByteReader& reader, const BmpLayout& layout) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.rows()));
    forEachStoredRow(reader, layout, [&](std::int64_t row, std::span<const std::byte> data) {
        for (std::int64_t x = 0; x < layout.width; ++x) {
            indices[pixelIndex(layout, row, x)] = indexAt(data, x, layout.bitCount);
        }
    });
    return indices;
}

Bitmap readTrueColour(ByteReader& reader, const BmpLayout& layout) {
    Bitmap bitmap(layout.columns(), layout.rows());
    forEachStoredRow(reader, layout, [&](std::int64_t row, std::span<const std::byte> data) {
        for (std::int64_t x = 0; x < layout.width; ++x) {
            bitmap.pixels[pixelIndex(layout, row, x)] = trueColourAt(data, x, layout);
        }
    });
    return bitmap;
}

// RLE8 and RLE4: pairs (count, value) paint `count` pixels; count 0 escapes:
// 0 ends the line, 1 ends the bitmap, 2 moves by (dx, dy), n ≥ 3 is an
// absolute run of n indices padded to a 16-bit word. Pixels the stream skips
// keep index 0. A run that would leave its row or the image is an error.
class RleDecoder {
public:
    RleDecoder(ByteReader stream, const BmpLayout& layout)
        : stream_(std::move(stream)),
          layout_(layout),
          indices_(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.rows()), 0) {}

    std::vector<std::uint8_t> decode() {
        // The stream may end without its end-of-bitmap mark.
        while (stream_.remaining() >= 2) {
            const std::uint64_t runOffset = stream_.absoluteOffset();
            const std::uint8_t count = stream_.u8();
            const std::uint8_t value = stream_.u8();
            if (count > 0) {
                paintEncodedRun(runOffset, count, value);
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                move(runOffset);
            } else {
                paintAbsoluteRun(runOffset, value);
            }
        }
        return std::move(indices_);
    }

private:
    bool fourBit() const { return layout_.compression == kRle4; }

    void requireRoom(std::uint64_t offset, int count) const {
        if (y_ >= layout_.rows() || x_ + count > layout_.width) {
            failAt(stream_, offset,
                   "RLE run of " + text(count) + " pixels at (" + text(x_) + ", " + text(y_) + ") leaves the " +
                       text(layout_.width) + " x " + text(layout_.rows()) + " image");
        }
    }

    void paint(std::uint8_t index) { indices_[pixelIndex(layout_, y_, x_++)] = index; }

    void paintEncodedRun(std::uint64_t offset, int count, std::uint8_t value) {
        requireRoom(offset, count);
        for (int i = 0; i < count; ++i) {
            paint(fourBit() ? nibble(value, i) : value);
        }
    }

    void paintAbsoluteRun(std::uint64_t offset, int count) {
        requireRoom(offset, count);
        const std::size_t byteCount = fourBit() ? static_cast<std::size_t>(count + 1) / 2 : static_cast<std::size_t>(count);
        auto data = stream_.bytes(byteCount);
        for (int i = 0; i < count; ++i) {
            auto byte = std::to_integer<std::uint8_t>(data[fourBit() ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i)]);
            paint(fourBit() ? nibble(byte, i) : byte);
        }
        if (byteCount % 2 == 1 && !stream_.atEnd()) {
            stream_.skip(1);
        }
    }

    void move(std::uint64_t offset) {
        x_ += stream_.u8();
        y_ += stream_.u8();
        if (x_ > layout_.width || y_ > layout_.rows()) {
            failAt(stream_, offset,
                   "RLE move to (" + text(x_) + ", " + text(y_) + ") leaves the " + text(layout_.width) + " x " +
                       text(layout_.rows()) + " image");
        }
    }

    static std::uint8_t nibble(std::uint8_t byte, int position) {
        return static_cast<std::uint8_t>(position % 2 == 0 ? byte >> 4 : byte & 0x0F);
    }

    ByteReader stream_;
    BmpLayout layout_;
    std::vector<std::uint8_t> indices_;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;  // stored row: counted from the bottom unless top-down
};

// The image-size field holds the length of the compressed stream; 0 means it
// runs to the end of the file.
std::vector<std::uint8_t> readRunLengthIndices(ByteReader& reader, const BmpLayout& layout) {
    const std::size_t available = reader.size() - layout.pixelOffset;
    const std::size_t length = layout.imageSize != 0 ? std::min<std::size_t>(layout.imageSize, available) : available;
    reader.seek(layout.pixelOffset);
    return RleDecoder(reader.sub(length), layout).decode();
}

int reportedDepth(const BmpLayout& layout) {
    if (layout.bitCount == 16 && layout.masks == kMasks555) {
        return 15;
    }
    return layout.bitCount;
}

}  // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    ByteReader reader(bytes, fileName);
    const BmpLayout layout = readHeaders(reader);
    validateDimensions(reader, layout);
    validateEncoding(reader, layout);
    validateMasks(reader, layout);
    requirePixelsAfterHeaders(reader, layout);
    std::vector<Rgb> palette = readPalette(reader, layout);
    requirePixelsInFile(reader, layout);

    Bitmap bitmap;
    if (!layout.paletted()) {
        bitmap = readTrueColour(reader, layout);
    } else {
        auto indices = layout.runLengthEncoded() ? readRunLengthIndices(reader, layout) : readIndices(reader, layout);
        bitmap = Bitmap::fromIndices(layout.columns(), layout.rows(), std::move(palette), std::move(indices));
    }
    bitmap.bitDepth = reportedDepth(layout);
    return bitmap;
}

Bitmap LoadBmpWithSizeFix(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    if (bytes.size() < kImageSizeField + 4) {
        return DecodeBmp(bytes, fileName);
    }
    ByteReader reader(bytes, fileName);
    reader.seek(kHeaderSizeField);
    // In a core header offset 30 is palette data, not a compression field.
    const bool hasCompressionField = reader.u32le() >= kInfoHeaderSize;
    reader.seek(kCompressionField);
    const std::uint32_t compression = reader.u32le();
    const std::uint32_t imageSize = reader.u32le();
    if (!hasCompressionField || compression != kRgb || imageSize == 0) {
        return DecodeBmp(bytes, fileName);
    }
    std::vector<std::uint8_t> repaired(bytes.begin(), bytes.end());
    std::fill_n(repaired.begin() + kImageSizeField, 4, std::uint8_t{0});
    return DecodeBmp(repaired, fileName);
}

}  // namespace corvane
