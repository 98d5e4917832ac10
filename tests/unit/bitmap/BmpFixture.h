#pragma once

#include "platform/Bitmap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::test {

// Writes BMP files field by field, so a test can build any header, palette or
// pixel stream, including ones no proper writer would make.
struct BmpFixture {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;  // negative: rows stored top-down
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t fileSizeField = 0;  // the game writes 0
    std::vector<Rgb> palette;
    // Written at offset 54: after a 40-byte header, inside a larger one.
    std::optional<std::array<std::uint32_t, 3>> masks;
    // Default: right after the palette. Pixel data is written there, or right
    // after the palette when the offset points before it.
    std::optional<std::uint32_t> pixelOffset;
    std::vector<std::uint8_t> pixelData;
    std::vector<std::uint8_t> trailing;

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> out;
        auto u16 = [&](std::uint32_t v) {
            out.push_back(static_cast<std::uint8_t>(v));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        };
        auto u32 = [&](std::uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        out = {'B', 'M'};
        u32(fileSizeField);
        u32(0);
        u32(0);  // pixel offset, patched below
        u32(headerSize);
        if (headerSize == 12) {
            u16(static_cast<std::uint32_t>(width));
            u16(static_cast<std::uint32_t>(height));
            u16(1);
            u16(bitCount);
        } else {
            u32(static_cast<std::uint32_t>(width));
            u32(static_cast<std::uint32_t>(height));
            u16(1);
            u16(bitCount);
            u32(compression);
            u32(imageSize);
            u32(2835);
            u32(2835);
            u32(coloursUsed);
            u32(0);
        }
        if (masks) {
            for (std::uint32_t mask : *masks) {
                u32(mask);
            }
        }
        out.resize(std::max<std::size_t>(out.size(), 14 + headerSize), 0);
        for (const Rgb& colour : palette) {
            out.insert(out.end(), {colour.b, colour.g, colour.r});
            if (headerSize != 12) {
                out.push_back(0);
            }
        }
        const auto offset = pixelOffset.value_or(static_cast<std::uint32_t>(out.size()));
        out.resize(std::max<std::size_t>(out.size(), offset), 0xEE);
        for (int i = 0; i < 4; ++i) {
            out[10 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(offset >> (8 * i));
        }
        out.insert(out.end(), pixelData.begin(), pixelData.end());
        out.insert(out.end(), trailing.begin(), trailing.end());
        return out;
    }
};

// Packs pixel values (palette indices, or packed 16/32-bit values, or 0xRRGGBB
// for 24-bit) into rows padded to 4 bytes. `rowsTopDown[0]` is the top row; it
// is stored last unless `topDown`.
inline std::vector<std::uint8_t> PackRows(const std::vector<std::vector<std::uint32_t>>& rowsTopDown, int bitCount,
                                          bool topDown) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rowsTopDown.size(); ++i) {
        const auto& row = rowsTopDown[topDown ? i : rowsTopDown.size() - 1 - i];
        std::vector<std::uint8_t> packed;
        if (bitCount < 8) {
            packed.assign((row.size() * static_cast<std::size_t>(bitCount) + 7) / 8, 0);
            for (std::size_t x = 0; x < row.size(); ++x) {
                std::size_t bit = x * static_cast<std::size_t>(bitCount);
                packed[bit / 8] |= static_cast<std::uint8_t>(row[x] << (8 - bitCount - static_cast<int>(bit % 8)));
            }
        } else {
            for (std::uint32_t value : row) {
                for (int byte = 0; byte < bitCount / 8; ++byte) {
                    packed.push_back(static_cast<std::uint8_t>(value >> (8 * byte)));
                }
            }
        }
        packed.resize((packed.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// A palette of `count` distinct colours.
inline std::vector<Rgb> DistinctPalette(std::size_t count) {
    std::vector<Rgb> palette;
    for (std::size_t i = 0; i < count; ++i) {
        palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 7)});
    }
    return palette;
}

}  // namespace corvane::test
