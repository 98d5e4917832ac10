#include "BmpFixture.h"

#include "platform/BmpCodec.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

namespace corvane {
namespace {

using test::BmpFixture;
using Bytes = std::vector<std::uint8_t>;

BmpFixture TrueColour(int width, int height) {
    BmpFixture file;
    file.width = width;
    file.height = height;
    file.pixelData.assign(static_cast<std::size_t>((width * 3 + 3) / 4 * 4 * height), 0x80);
    return file;
}

BmpFixture Paletted(std::uint32_t colours) {
    BmpFixture file;
    file.width = 2;
    file.height = 2;
    file.bitCount = 8;
    file.coloursUsed = colours;
    file.palette = test::DistinctPalette(colours);
    file.pixelData = {0, 1, 0, 0, 1, 0, 0, 0};
    return file;
}

BmpFixture SixteenBitFields(std::array<std::uint32_t, 3> masks) {
    BmpFixture file = TrueColour(1, 1);
    file.bitCount = 16;
    file.compression = 3;
    file.masks = masks;
    return file;
}

// A 4 × 1 RLE8 image with two colours: the stream starts at offset 62.
constexpr std::uint64_t kRleStart = 62;
Bytes Rle8(Bytes stream) {
    BmpFixture file;
    file.width = 4;
    file.height = 1;
    file.bitCount = 8;
    file.compression = 1;
    file.coloursUsed = 2;
    file.palette = test::DistinctPalette(2);
    file.pixelData = std::move(stream);
    return file.bytes();
}

Bytes With(BmpFixture file, const std::function<void(BmpFixture&)>& change) {
    change(file);
    return file.bytes();
}

Bytes Truncated(Bytes bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

Bytes Patched(Bytes bytes, std::size_t offset, std::uint8_t value) {
    bytes.at(offset) = value;
    return bytes;
}

struct BrokenCase {
    std::string name;
    Bytes bytes;
    std::uint64_t faultOffset;
};

void PrintTo(const BrokenCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<BrokenCase> BrokenCases() {
    const BmpFixture rgb = TrueColour(2, 2);
    return {
        {"too_short_for_a_header", Truncated(rgb.bytes(), 10), 0},
        {"bad_signature", Patched(rgb.bytes(), 1, 'X'), 0},
        {"truncated_header", Truncated(rgb.bytes(), 30), 14},
        {"unsupported_header_size", With(rgb, [](auto& f) { f.headerSize = 64; }), 14},
        {"zero_width", With(rgb, [](auto& f) { f.width = 0; }), 18},
        {"negative_width", With(rgb, [](auto& f) { f.width = -2; }), 18},
        {"zero_height", With(rgb, [](auto& f) { f.height = 0; }), 22},
        {"huge_dimensions", With(rgb, [](auto& f) { f.width = 40000; }), 18},
        {"lowest_height", With(rgb, [](auto& f) { f.height = std::numeric_limits<std::int32_t>::min(); }), 18},
        {"too_many_pixels", With(rgb, [](auto& f) { f.width = 16384, f.height = 8192; }), 18},
        {"unsupported_bit_count", With(rgb, [](auto& f) { f.bitCount = 7; }), 28},
        {"rle8_with_24_bits", With(rgb, [](auto& f) { f.compression = 1; }), 28},
        {"unsupported_compression", With(rgb, [](auto& f) { f.compression = 4; }), 30},
        {"core_header_with_16_bits", With(rgb, [](auto& f) { f.headerSize = 12, f.bitCount = 16; }), 24},
        {"bad_bitfields_zero_mask", SixteenBitFields({0x7C00, 0, 0x1F}).bytes(), 54},
        {"bad_bitfields_overlapping", SixteenBitFields({0xF800, 0x0FE0, 0x1F}).bytes(), 54},
        {"bad_bitfields_not_contiguous", SixteenBitFields({0xF800, 0x07E0, 0x15}).bytes(), 54},
        {"bad_bitfields_wider_than_pixel", SixteenBitFields({0x1F0000, 0x07E0, 0x1F}).bytes(), 54},
        {"palette_too_long", With(Paletted(4), [](auto& f) { f.coloursUsed = 300; }), 46},
        {"palette_past_end", Truncated(Paletted(256).bytes(), 100), 54},
        {"no_room_for_palette", With(Paletted(4), [](auto& f) { f.pixelOffset = 54; }), 10},
        {"pixel_offset_inside_header", With(rgb, [](auto& f) { f.pixelOffset = 20; }), 10},
        {"pixel_offset_past_end", Truncated(With(rgb, [](auto& f) { f.pixelOffset = 5000; }), 100), 10},
        {"pixel_data_past_end", Truncated(TrueColour(4, 4).bytes(), 54 + 10), 54},
        {"image_size_smaller_than_rows", With(rgb, [](auto& f) { f.imageSize = 3; }), 34},
        {"rle_run_past_row", Rle8({0x05, 0x01}), kRleStart},
        {"rle_absolute_run_past_row", Rle8({0x02, 0x01, 0x00, 0x03, 0x01, 0x01, 0x01, 0x00}), kRleStart + 2},
        {"rle_move_past_image", Rle8({0x00, 0x02, 0x05, 0x00}), kRleStart},
        {"rle_rows_past_image", Rle8({0x02, 0x01, 0x00, 0x00, 0x02, 0x01}), kRleStart + 4},
        {"rle_absolute_run_truncated", Rle8({0x00, 0x03, 0x01, 0x02}), kRleStart + 2},
    };
}

class BmpMalformedTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BmpMalformedTest, ThrowsFormatErrorNamingFileAndOffset) {
    const BrokenCase& c = GetParam();
    try {
        DecodeBmp(c.bytes, "skins/broken.bmp");
        FAIL() << c.name << " decoded without an error";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.offset(), c.faultOffset) << error.what();
        EXPECT_NE(std::string(error.what()).find("skins/broken.bmp"), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(BrokenInputs, BmpMalformedTest, ::testing::ValuesIn(BrokenCases()),
                         [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace corvane
