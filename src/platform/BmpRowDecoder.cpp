#include "platform/BmpRowDecoder.h"

#include <bit>
#include <cstddef>
#include <span>

namespace corvane::bmp {

namespace {

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
void validateSize(const ByteReader& reader, const BmpLayout& layout, std::uint64_t stride, std::uint64_t rowBytes) {
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

// Calls `paintRow(storedRow, rowData)` for every row of the file.
template <typename PaintRow>
void forEachStoredRow(ByteReader& reader, const BmpLayout& layout, PaintRow paintRow) {
    const std::uint64_t rowBits = static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitCount);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    const std::uint64_t rowBytes = (rowBits + 7) / 8;
    validateSize(reader, layout, stride, rowBytes);
    for (std::int64_t row = 0; row < layout.rows(); ++row) {
        reader.seek(layout.pixelOffset + static_cast<std::size_t>(stride * static_cast<std::uint64_t>(row)));
        paintRow(row, reader.bytes(static_cast<std::size_t>(rowBytes)));
    }
}

}  // namespace

std::vector<std::uint8_t> decodeIndexRows(ByteReader& reader, const BmpLayout& layout) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.rows()));
    forEachStoredRow(reader, layout, [&](std::int64_t row, std::span<const std::byte> data) {
        for (std::int64_t x = 0; x < layout.width; ++x) {
            indices[layout.pixelIndex(row, x)] = indexAt(data, x, layout.bitCount);
        }
    });
    return indices;
}

Bitmap decodeTrueColourRows(ByteReader& reader, const BmpLayout& layout) {
    Bitmap bitmap(layout.columns(), layout.rows());
    forEachStoredRow(reader, layout, [&](std::int64_t row, std::span<const std::byte> data) {
        for (std::int64_t x = 0; x < layout.width; ++x) {
            bitmap.pixels[layout.pixelIndex(row, x)] = trueColourAt(data, x, layout);
        }
    });
    return bitmap;
}

}  // namespace corvane::bmp
