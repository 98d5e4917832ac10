#include "BmpFixture.h"

#include "platform/BmpCodec.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
                                      bytes.at(offset + 3) << 24);
}

Bitmap Gradient(int width, int height) {
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.set(x, y, {static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(90 * y),
                              static_cast<std::uint8_t>(x + 10 * y)});
        }
    }
    return bitmap;
}

TEST(BmpEncodeTest, TwentyFourBitRoundTripWithCorrectSizeFields) {
    // Five pixels wide, so every row needs one pad byte.
    const Bitmap original = Gradient(5, 3);

    const auto bytes = EncodeBmp24(original);
    Bitmap decoded = DecodeBmp(bytes);

    EXPECT_EQ(decoded.pixels, original.pixels);
    EXPECT_EQ(decoded.bitDepth, 24);
    EXPECT_EQ(U32At(bytes, 2), bytes.size());  // file size
    EXPECT_EQ(U32At(bytes, 10), 54u);          // pixel offset
    EXPECT_EQ(U32At(bytes, 30), 0u);           // uncompressed
    EXPECT_EQ(U32At(bytes, 34), 16u * 3u);     // image size: 15 bytes a row, padded to 16
    EXPECT_EQ(bytes.size(), 54u + 48u);
    // Bottom-up: the file starts with the last row, blue first.
    EXPECT_EQ(bytes[54 + 1], original.at(0, 2).g);
    EXPECT_EQ(bytes[54 + 2], original.at(0, 2).r);
}

TEST(BmpEncodeTest, EightBitRoundTripKeepsAShortPalette) {
    const auto palette = test::DistinctPalette(67);
    const Bitmap original = Bitmap::fromIndices(3, 2, palette, {66, 0, 12, 1, 65, 30});

    const auto bytes = EncodeBmp8(original);
    Bitmap decoded = DecodeBmp(bytes);

    EXPECT_EQ(decoded.palette, palette);
    EXPECT_EQ(decoded.indices, original.indices);
    EXPECT_EQ(decoded.pixels, original.pixels);
    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_EQ(U32At(bytes, 46), 67u);            // colours used
    EXPECT_EQ(U32At(bytes, 10), 54u + 67u * 4u);  // pixels right after the palette
    EXPECT_EQ(U32At(bytes, 2), bytes.size());
    EXPECT_EQ(U32At(bytes, 34), 4u * 2u);
}

TEST(BmpEncodeTest, EightBitExtendsThePaletteToItsHighestIndex) {
    const Bitmap original = Bitmap::fromIndices(2, 1, {{255, 0, 0}, {0, 0, 255}}, {1, 5});

    Bitmap decoded = DecodeBmp(EncodeBmp8(original));

    EXPECT_EQ(decoded.palette.size(), 6u);
    EXPECT_EQ(decoded.pixels, original.pixels);
}

TEST(BmpEncodeTest, FourBitTextureWritesBackAsEightBit) {
    test::BmpFixture file;
    file.width = 3;
    file.height = 1;
    file.bitCount = 4;
    file.palette = test::DistinctPalette(16);
    file.pixelData = test::PackRows({{15, 2, 9}}, 4, false);
    const Bitmap fourBit = DecodeBmp(file.bytes());

    Bitmap decoded = DecodeBmp(EncodeBmp8(fourBit));

    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_EQ(decoded.indices, fourBit.indices);
    EXPECT_EQ(decoded.pixels, fourBit.pixels);
}

TEST(BmpEncodeTest, RejectsBitmapsItCannotWrite) {
    EXPECT_THROW(EncodeBmp8(Gradient(2, 2)), std::invalid_argument);  // no indices
    EXPECT_THROW(EncodeBmp24(Bitmap{}), std::invalid_argument);
    Bitmap inconsistent(2, 2);
    inconsistent.pixels.pop_back();
    EXPECT_THROW(EncodeBmp24(inconsistent), std::invalid_argument);
}

}  // namespace
}  // namespace corvane
