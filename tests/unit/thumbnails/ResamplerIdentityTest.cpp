#include "render/MakeThumb.h"

#include "ReferenceResampler.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

enum class Content { Noise, Gradient, White, Black, Paletted };

struct IdentityCase {
    const char* name;
    int sourceWidth;
    int sourceHeight;
    int width;
    int height;
    Content content;
};

Bitmap Picture(const IdentityCase& c, std::uint32_t seed) {
    switch (c.content) {
        case Content::Noise:
            return test::NoisePicture(c.sourceWidth, c.sourceHeight, seed);
        case Content::Gradient:
            return test::GradientPicture(c.sourceWidth, c.sourceHeight);
        case Content::White:
            return Bitmap(c.sourceWidth, c.sourceHeight, Rgb{255, 255, 255});
        case Content::Black:
            return Bitmap(c.sourceWidth, c.sourceHeight);
        case Content::Paletted: {
            const Bitmap colours = test::NoisePicture(256, 1, seed);
            const Bitmap pattern = test::NoisePicture(c.sourceWidth, c.sourceHeight, seed + 1, true);
            std::vector<std::uint8_t> indices;
            for (const Rgb& pixel : pattern.pixels) {
                indices.push_back(pixel.r);
            }
            return Bitmap::fromIndices(c.sourceWidth, c.sourceHeight, colours.pixels, indices);
        }
    }
    return {};
}

// Every byte of the fast resampler equals the old one's: a changed order of
// additions, a fused multiply-add, a lane read from the wrong row or column, a
// padding lane written into the picture, or a rounding that differs at the
// clamps or at halves shows up as a byte that differs.
TEST(ResampleBitmap, GivesTheSameBytesAsTheReferenceResampler) {
    const IdentityCase cases[] = {
        {"one_pixel_to_one", 1, 1, 1, 1, Content::Noise},
        {"one_pixel_to_ten_square", 1, 1, 10, 10, Content::Noise},
        {"one_pixel_wide_column", 1, 7, 10, 3, Content::Noise},
        {"one_pixel_high_row", 9, 1, 40, 40, Content::Noise},
        {"row_to_column", 9, 1, 1, 9, Content::Noise},
        {"to_one_pixel", 7, 7, 1, 1, Content::Noise},
        {"two_to_three", 2, 2, 3, 3, Content::Noise},
        {"same_size", 128, 128, 128, 128, Content::Noise},
        {"shrink_128_to_32", 128, 128, 32, 32, Content::Noise},
        {"shrink_128_to_40", 128, 128, 40, 40, Content::Gradient},
        {"shrink_256_to_40", 256, 256, 40, 40, Content::Noise},
        {"shrink_256_to_128", 256, 256, 128, 128, Content::Noise},
        {"shrink_512_to_60", 512, 512, 60, 60, Content::Noise},
        {"shrink_512_to_128", 512, 512, 128, 128, Content::Gradient},
        {"shrink_500_to_128", 500, 500, 128, 128, Content::Noise},
        {"enlarge_40_to_128", 40, 40, 128, 128, Content::Noise},
        {"enlarge_3x2_to_17x13", 3, 2, 17, 13, Content::Noise},
        {"enlarge_13x9_to_128", 13, 9, 128, 128, Content::Gradient},
        {"wide_fit_200x100_to_32x16", 200, 100, 32, 16, Content::Noise},
        {"tall_fit_100x200_to_16x32", 100, 200, 16, 32, Content::Noise},
        {"fit_64x32_to_40x20", 64, 32, 40, 20, Content::Noise},
        {"odd_37x53_to_11x29", 37, 53, 11, 29, Content::Noise},
        {"odd_255x129_to_41x21", 255, 129, 41, 21, Content::Noise},
        {"shrink_one_axis_enlarge_other", 97, 5, 13, 61, Content::Noise},
        {"rows_not_a_multiple_of_eight", 31, 13, 19, 7, Content::Noise},
        {"white_overshoot_clamps", 64, 64, 40, 40, Content::White},
        {"black_stays_black", 64, 64, 40, 40, Content::Black},
        {"paletted_source", 96, 80, 40, 33, Content::Paletted},
        {"no_width", 16, 16, 0, 5, Content::Noise},
        {"no_height", 16, 16, 5, 0, Content::Noise},
    };
    std::uint32_t seed = 11;
    for (const IdentityCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bitmap source = Picture(c, ++seed);
        Bitmap expected;
        expected.width = c.width;
        expected.height = c.height;
        Bitmap actual = expected;
        test::reference::ResampleBitmap(source, expected);
        ResampleBitmap(source, actual);
        ASSERT_EQ(actual.width, expected.width);
        ASSERT_EQ(actual.height, expected.height);
        EXPECT_EQ(actual.bitDepth, expected.bitDepth);
        EXPECT_TRUE(actual.pixels == expected.pixels);
    }
}

// Random sizes on both sides of 1:1, shrinking and enlarging on either axis.
TEST(ResampleBitmap, GivesTheSameBytesAsTheReferenceOnRandomSizes) {
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> side(1, 150);
    for (int i = 0; i < 60; ++i) {
        const int sourceWidth = side(random), sourceHeight = side(random);
        const int width = side(random), height = side(random);
        SCOPED_TRACE(std::to_string(sourceWidth) + "x" + std::to_string(sourceHeight) + " to " +
                     std::to_string(width) + "x" + std::to_string(height));
        const Bitmap source = test::NoisePicture(sourceWidth, sourceHeight, static_cast<std::uint32_t>(i));
        Bitmap expected;
        expected.width = width;
        expected.height = height;
        Bitmap actual = expected;
        test::reference::ResampleBitmap(source, expected);
        ResampleBitmap(source, actual);
        ASSERT_TRUE(actual.pixels == expected.pixels);
    }
}

}  // namespace
}  // namespace corvane
