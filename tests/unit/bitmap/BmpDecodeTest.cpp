#include "BmpFixture.h"

#include "platform/BmpCodec.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using test::BmpFixture;
using test::DistinctPalette;
using test::PackRows;
using Rows = std::vector<std::vector<std::uint32_t>>;
using Masks = std::array<std::uint32_t, 3>;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

// ------------------------------------------------------------ every depth, both row orders

struct DepthCase {
    std::string name;
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::optional<Masks> masks;
    std::vector<Rgb> palette;
    Rows values;                 // 3 × 2, top row first
    std::vector<Rgb> expected;   // top-down; empty: the palette colours of `values`
    int expectedDepth;
    bool topDown = false;
};

void PrintTo(const DepthCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<Rgb> PaletteColours(const DepthCase& c) {
    std::vector<Rgb> colours;
    for (const auto& row : c.values) {
        for (std::uint32_t index : row) {
            colours.push_back(c.palette.at(index));
        }
    }
    return colours;
}

std::vector<DepthCase> BaseDepthCases() {
    const Rows trueColour24{{0xFF0000, 0x00FF00, 0x0000FF}, {0x123456, 0xFFFFFF, 0x000000}};
    const std::vector<Rgb> trueColourExpected{kRed, kGreen, kBlue, {0x12, 0x34, 0x56}, kWhite, kBlack};
    // 5-bit level 16 becomes 132, 6-bit level 32 becomes 130.
    const std::vector<Rgb> sixteenExpected{kRed, kGreen, kBlue, {132, 132, 132}, kWhite, kBlack};
    const std::vector<Rgb> sixtyFiveExpected{kRed, kGreen, kBlue, {132, 130, 132}, kWhite, kBlack};
    return {
        {"rgb1", 40, 1, 0, {}, {{10, 20, 30}, {200, 100, 50}}, {{1, 0, 1}, {0, 1, 1}}, {}, 1},
        {"rgb4", 40, 4, 0, {}, DistinctPalette(16), {{15, 0, 7}, {1, 14, 8}}, {}, 4},
        {"rgb8", 40, 8, 0, {}, DistinctPalette(256), {{255, 0, 128}, {1, 254, 77}}, {}, 8},
        {"rgb16_is_555", 40, 16, 0, {}, {}, {{0x7C00, 0x03E0, 0x001F}, {0x4210, 0x7FFF, 0}}, sixteenExpected, 15},
        {"bitfields565", 40, 16, 3, Masks{0xF800, 0x07E0, 0x001F}, {}, {{0xF800, 0x07E0, 0x001F}, {0x8410, 0xFFFF, 0}},
         sixtyFiveExpected, 16},
        {"v4_bitfields555", 108, 16, 3, Masks{0x7C00, 0x03E0, 0x001F}, {}, {{0x7C00, 0x03E0, 0x001F}, {0x4210, 0x7FFF, 0}},
         sixteenExpected, 15},
        {"rgb24", 40, 24, 0, {}, {}, trueColour24, trueColourExpected, 24},
        {"rgb32_ignores_fourth_byte", 40, 32, 0, {}, {},
         {{0xAAFF0000, 0x5500FF00, 0xFF0000FF}, {0x01123456, 0x00FFFFFF, 0xFF000000}}, trueColourExpected, 32},
        // Red in the low byte: proves the masks, not the byte order, decide.
        {"v5_bitfields32", 124, 32, 3, Masks{0x0000FF, 0x00FF00, 0xFF0000}, {},
         {{0x0000FF, 0x00FF00, 0xFF0000}, {0x563412, 0xFFFFFF, 0}}, trueColourExpected, 32},
        {"core8", 12, 8, 0, {}, DistinctPalette(256), {{3, 200, 0}, {255, 9, 17}}, {}, 8},
        {"core24", 12, 24, 0, {}, {}, trueColour24, trueColourExpected, 24},
    };
}

std::vector<DepthCase> DepthCases() {
    std::vector<DepthCase> cases;
    for (DepthCase c : BaseDepthCases()) {
        cases.push_back(c);
        if (c.headerSize != 12) {  // core headers have no sign for the row order
            c.topDown = true;
            c.name += "_top_down";
            cases.push_back(c);
        }
    }
    return cases;
}

class BmpDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BmpDepthTest, DecodesPixelsAndReportsTheFilesDepth) {
    const DepthCase& c = GetParam();
    BmpFixture file;
    file.headerSize = c.headerSize;
    file.width = 3;
    file.height = c.topDown ? -2 : 2;
    file.bitCount = c.bitCount;
    file.compression = c.compression;
    file.masks = c.masks;
    file.palette = c.palette;
    file.pixelData = PackRows(c.values, c.bitCount, c.topDown);

    Bitmap bitmap = DecodeBmp(file.bytes(), c.name);

    EXPECT_EQ(bitmap.width, 3);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.bitDepth, c.expectedDepth);
    EXPECT_EQ(bitmap.pixels, c.expected.empty() ? PaletteColours(c) : c.expected);
    if (!c.palette.empty()) {
        EXPECT_EQ(bitmap.palette, c.palette);
        std::vector<std::uint8_t> expectedIndices;
        for (const auto& row : c.values) {
            expectedIndices.insert(expectedIndices.end(), row.begin(), row.end());
        }
        EXPECT_EQ(bitmap.indices, expectedIndices);
    } else {
        EXPECT_FALSE(bitmap.hasIndices());
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepthTest, ::testing::ValuesIn(DepthCases()),
                         [](const auto& param) { return param.param.name; });

// ------------------------------------------------------------ short palettes

TEST(BmpShortPaletteTest, HonoursColoursUsedWithPixelsBeforeTheUsualOffset) {
    for (std::uint32_t count : {67u, 208u, 252u}) {
        SCOPED_TRACE(count);
        const Rows values{{0, count - 1, 5, 66}, {count / 2, 1, count - 2, 0}};
        BmpFixture file;
        file.width = 4;
        file.height = 2;
        file.bitCount = 8;
        file.coloursUsed = count;
        file.palette = DistinctPalette(count);
        file.pixelData = PackRows(values, 8, false);
        file.trailing = {0x00, 0x00};  // the game's textures end with a couple of spare bytes
        const auto bytes = file.bytes();
        ASSERT_LT(bytes[10] | (bytes[11] << 8), 1078);

        Bitmap bitmap = LoadBmpWithSizeFix(bytes, "short.bmp");

        EXPECT_EQ(bitmap.palette.size(), count);
        EXPECT_EQ(bitmap.bitDepth, 8);
        EXPECT_EQ(bitmap.at(1, 0), file.palette[count - 1]);
        EXPECT_EQ(bitmap.at(2, 1), file.palette[count - 2]);
        EXPECT_EQ(bitmap.indexAt(0, 1), count / 2);
    }
}

TEST(BmpShortPaletteTest, PaletteWithoutCountEndsWhereThePixelsBegin) {
    BmpFixture file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 8;
    file.palette = DistinctPalette(16);  // colours used 0 would mean 256
    file.pixelData = {15, 3, 0, 0};

    Bitmap bitmap = DecodeBmp(file.bytes());

    EXPECT_EQ(bitmap.palette.size(), 16u);
    EXPECT_EQ(bitmap.pixels, (std::vector<Rgb>{file.palette[15], file.palette[3]}));
}

TEST(BmpShortPaletteTest, IndexPastThePaletteIsBlack) {
    BmpFixture file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 8;
    file.coloursUsed = 2;
    file.palette = {kRed, kBlue};
    file.pixelData = {1, 9, 0, 0};

    Bitmap bitmap = DecodeBmp(file.bytes());

    EXPECT_EQ(bitmap.pixels, (std::vector<Rgb>{kBlue, kBlack}));
    EXPECT_EQ(bitmap.indexAt(1, 0), 9);
}

// ------------------------------------------------------------ run-length encoding

Bitmap DecodeRle(int bitCount, int width, int height, std::vector<std::uint8_t> stream, std::size_t paletteSize) {
    BmpFixture file;
    file.width = width;
    file.height = height;
    file.bitCount = static_cast<std::uint16_t>(bitCount);
    file.compression = bitCount == 8 ? 1 : 2;
    file.coloursUsed = static_cast<std::uint32_t>(paletteSize);
    file.palette = DistinctPalette(paletteSize);
    file.pixelData = std::move(stream);
    return DecodeBmp(file.bytes(), "rle.bmp");
}

TEST(BmpRleTest, Rle8RunsEscapesAndPadding) {
    // Stored rows, bottom first. Row 0: a run of three 1s, then an absolute run
    // of three (odd: one pad byte). Row 1: an absolute run of four (even: no
    // pad), a move of (+1, +1), one pixel, end of bitmap.
    const std::vector<std::uint8_t> stream{
        0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00,  // row 0, end of line
        0x00, 0x04, 0x05, 0x07, 0x08, 0x09,                          // row 1
        0x00, 0x02, 0x01, 0x01,                                      // move to (5, 2)
        0x01, 0x06, 0x00, 0x01,                                      // one pixel, end
    };

    Bitmap bitmap = DecodeRle(8, 6, 3, stream, 10);

    EXPECT_EQ(bitmap.indices, (std::vector<std::uint8_t>{
                                  0, 0, 0, 0, 0, 6,  // top: stored row 2
                                  5, 7, 8, 9, 0, 0,  //
                                  1, 1, 1, 2, 3, 4,  // bottom: stored row 0
                              }));
    EXPECT_EQ(bitmap.at(5, 0), bitmap.palette[6]);
    EXPECT_EQ(bitmap.bitDepth, 8);
}

TEST(BmpRleTest, Rle4NibblesAlternateAndAbsoluteRunsPadToWords) {
    // Top-down. Row 0: a run of three alternating A, B; an absolute run of five
    // nibbles in three bytes (odd: one pad byte). Row 1: an absolute run of
    // three nibbles in two bytes (no pad), a move of (+2, 0), a run of two.
    const std::vector<std::uint8_t> stream{
        0x03, 0xAB, 0x00, 0x05, 0x12, 0x34, 0x50, 0x00, 0x00, 0x00,  // row 0, end of line
        0x00, 0x03, 0x67, 0x80,                                      // row 1
        0x00, 0x02, 0x02, 0x00, 0x02, 0x9C, 0x00, 0x01,              // move, run, end
    };

    Bitmap bitmap = DecodeRle(4, 8, -2, stream, 16);

    EXPECT_EQ(bitmap.indices, (std::vector<std::uint8_t>{
                                  10, 11, 10, 1, 2, 3, 4, 5,  //
                                  6, 7, 8, 0, 0, 9, 12, 0,    //
                              }));
    EXPECT_EQ(bitmap.bitDepth, 4);
}

TEST(BmpRleTest, StreamMayEndWithoutEndOfBitmap) {
    Bitmap bitmap = DecodeRle(8, 3, 1, {0x02, 0x04}, 5);

    EXPECT_EQ(bitmap.indices, (std::vector<std::uint8_t>{4, 4, 0}));
}

// ------------------------------------------------------------ image-size repair

BmpFixture TwoByTwo24() {
    BmpFixture file;
    file.width = 2;
    file.height = 2;
    file.pixelData = PackRows({{0xFF0000, 0x00FF00}, {0x0000FF, 0x123456}}, 24, false);
    return file;
}

TEST(BmpSizeFixTest, UncompressedFileWithWrongImageSizeLoads) {
    for (std::uint32_t wrongSize : {5u, 0x7FFFFFFFu}) {
        SCOPED_TRACE(wrongSize);
        BmpFixture file = TwoByTwo24();
        file.imageSize = wrongSize;
        const auto bytes = file.bytes();

        try {
            DecodeBmp(bytes, "face.bmp");
            ADD_FAILURE() << "the wrong image size went unnoticed";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.offset(), 34u);
        }
        Bitmap bitmap = LoadBmpWithSizeFix(bytes, "face.bmp");

        EXPECT_EQ(bitmap.pixels, (std::vector<Rgb>{kRed, kGreen, kBlue, {0x12, 0x34, 0x56}}));
    }
}

TEST(BmpSizeFixTest, CompressedFileKeepsItsImageSize) {
    // The image size ends the RLE stream before bytes that would overrun the row.
    BmpFixture file;
    file.width = 2;
    file.height = 1;
    file.bitCount = 8;
    file.compression = 1;
    file.coloursUsed = 2;
    file.palette = {kRed, kBlue};
    file.pixelData = {0x02, 0x01};
    file.trailing = {0x05, 0x01};
    file.imageSize = 2;

    EXPECT_EQ(LoadBmpWithSizeFix(file.bytes()).pixels, (std::vector<Rgb>{kBlue, kBlue}));

    file.imageSize = 0;
    EXPECT_THROW(LoadBmpWithSizeFix(file.bytes()), FormatError);
}

TEST(BmpSizeFixTest, TooShortForTheRepairIsReportedByTheDecoder) {
    auto bytes = TwoByTwo24().bytes();
    bytes.resize(37);

    EXPECT_THROW(LoadBmpWithSizeFix(bytes, "short.bmp"), FormatError);
}

}  // namespace
}  // namespace corvane
