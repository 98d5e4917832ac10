// The chunks the character's pictures travel in: the header the game reads
// them by, the BMP file inside, and the pad that keeps chunks on even offsets.
#include "render/CharacterImageChunk.h"

#include "iff/IffContainer.h"
#include "platform/BmpCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A paletted picture of two colours in stripes.
Bitmap eightBit(int width, int height) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i % 3 == 0);
    return Bitmap::fromIndices(width, height, {{10, 20, 30}, {200, 100, 50}}, std::move(indices));
}

TEST(CharacterImageTable, SixPicturesInTheOrderWrittenEachTileAWholeSlice) {
    const struct {
        std::string label;
        int id, width, height;
        std::vector<ImageKind> tiles;
    } expected[] = {
        {"web_image", 2007, 45, 45, {0}},
        {"thumbnail", 2004, 25, 25, {0}},
        {"speech_med", 2005, 16, 16, {1}},
        {"speech_large", 2006, 32, 32, {1}},
        {"rel. images", 2003, 200, 40, {2, 3, 4, 5, 6}},
        {"faces", 2002, 105, 41, {7, 8, 9}},
    };
    const auto& table = CharacterImageTable();
    ASSERT_EQ(table.size(), std::size(expected));
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(expected[i].label);
        EXPECT_EQ(std::string(table[i].label), expected[i].label);
        EXPECT_EQ(table[i].chunkId, expected[i].id);
        EXPECT_EQ(table[i].width, expected[i].width);
        EXPECT_EQ(table[i].height, expected[i].height);
        EXPECT_EQ(table[i].tiles, expected[i].tiles);
        EXPECT_EQ(table[i].width % static_cast<int>(table[i].tiles.size()), 0) << "tiles of equal width fill the strip";
    }
}

TEST(ImageChunk, HeaderLabelAndBmpFileAsTheGameReadsThem) {
    const struct {
        const char* name;
        int id;
        std::string label;
        int width, height;
        std::uint8_t idHigh, idLow;
    } cases[] = {
        {"thumbnail", 2004, "thumbnail", 25, 25, 0x07, 0xD4},
        {"web_image", 2007, "web_image", 45, 45, 0x07, 0xD7},
        {"label_with_a_space", 2003, "rel. images", 200, 40, 0x07, 0xD3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes chunk = ImageChunk(c.id, c.label, eightBit(c.width, c.height));
        ASSERT_GT(chunk.size(), kChunkHeaderSize);
        EXPECT_EQ(std::string(chunk.begin(), chunk.begin() + 4), "BMP_");
        EXPECT_EQ(static_cast<std::size_t>(ReadBigEndian(chunk, 4, 4)), chunk.size());
        EXPECT_EQ(chunk[8], c.idHigh);
        EXPECT_EQ(chunk[9], c.idLow);
        EXPECT_EQ(chunk[10], 0x00);
        EXPECT_EQ(chunk[11], 0x10);
        EXPECT_EQ(std::string(chunk.begin() + 12, chunk.begin() + 12 + static_cast<std::ptrdiff_t>(c.label.size())),
                  c.label);
        for (std::size_t at = 12 + c.label.size(); at < kChunkHeaderSize; ++at) {
            EXPECT_EQ(chunk[at], 0) << "label byte " << at;
        }
        const Bitmap back = DecodeBmp(std::span(chunk).subspan(kChunkHeaderSize), c.name);
        EXPECT_EQ(back.bitDepth, 8);
        EXPECT_EQ(back.width, c.width);
        EXPECT_EQ(back.height, c.height);
        EXPECT_EQ(back.at(0, 0), (Rgb{200, 100, 50})) << "the first pixel's index is 1";
        EXPECT_EQ(back.at(1, 0), (Rgb{10, 20, 30}));
    }
}

TEST(ImageChunk, AnOddLengthGetsOnePadByteThatTheLengthCounts) {
    const Bytes bmp = EncodeBmp8(eightBit(25, 25));
    ASSERT_EQ(bmp.size() % 2, 0u);
    Bytes odd = bmp;
    odd.push_back(0x55);
    const struct {
        const char* name;
        const Bytes* file;
        std::size_t padBytes;
    } cases[] = {
        {"even_no_pad", &bmp, 0},
        {"odd_padded", &odd, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes chunk = BmpFileChunk(2004, "thumbnail", *c.file);
        ASSERT_EQ(chunk.size(), kChunkHeaderSize + c.file->size() + c.padBytes);
        EXPECT_EQ(static_cast<std::size_t>(ReadBigEndian(chunk, 4, 4)), chunk.size());
        EXPECT_TRUE(std::equal(c.file->begin(), c.file->end(), chunk.begin() + kChunkHeaderSize));
        if (c.padBytes == 1) {
            EXPECT_EQ(chunk.back(), 0xA3);
        }
    }
}

}  // namespace
}  // namespace corvane
