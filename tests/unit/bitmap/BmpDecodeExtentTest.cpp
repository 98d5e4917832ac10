#include "BmpFixture.h"

#include "platform/BmpCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using test::BmpFixture;

// An 8 x 8 picture at 8 bits with a full palette: its pixels start at 1078.
BmpFixture eightByEight() {
    BmpFixture bmp;
    bmp.width = 8;
    bmp.height = 8;
    bmp.bitCount = 8;
    bmp.palette.assign(256, Rgb{1, 2, 3});
    bmp.pixelData.assign(64, 7);
    return bmp;
}

// A texture check reads what decoding needs, not the rest of a file that may
// be gigabytes of something else.
TEST(BmpDecodeExtentTest, CoversTheHeadersAndThePixelsTheyDescribeAndNoMore) {
    constexpr std::uint64_t kHugeFile = std::uint64_t{2} << 30;
    BmpFixture junkAfter = eightByEight();
    junkAfter.trailing.assign(4096, 0xEE);
    BmpFixture wrongImageSize = eightByEight();
    wrongImageSize.imageSize = 999999;  // cleared by the game's repair
    BmpFixture runLength = eightByEight();
    runLength.compression = 1;
    runLength.imageSize = 20;
    runLength.pixelData = {8, 7, 0, 0, 0, 1};
    runLength.trailing.assign(100, 0);
    const std::vector<std::uint8_t> whole = junkAfter.bytes();
    const std::vector<std::uint8_t> cutInPalette(whole.begin(), whole.begin() + 600);
    const std::vector<std::uint8_t> damaged{'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const struct {
        const char* fault;
        std::vector<std::uint8_t> head;
        std::uint64_t fileSize;
        std::uint64_t extent;
    } cases[] = {
        {"rows_followed_by_gigabytes", whole, kHugeFile, 1078 + 64},
        {"head_ending_inside_the_palette", cutInPalette, kHugeFile, 1078},
        {"image_size_of_an_uncompressed_file", wrongImageSize.bytes(), kHugeFile, 1078 + 64},
        {"run_length_stream_of_its_image_size", runLength.bytes(), kHugeFile, 1078 + 20},
        {"damaged_headers_read_no_further", damaged, kHugeFile, damaged.size()},
        {"pixels_past_the_end_of_a_short_file", eightByEight().bytes(), 1100, 1100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BmpDecodeExtent(c.head, c.fileSize), c.extent) << c.fault;
    }
}

}  // namespace
}  // namespace corvane
