#include "render/PngEncoder.h"

#include <png.h>

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Decoded again with libpng's simplified reader.
Bitmap decode(const std::vector<std::uint8_t>& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_memory(&image, file.data(), file.size()));
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    Bitmap out(static_cast<int>(image.width), static_cast<int>(image.height));
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * image.width + static_cast<std::size_t>(x)) * 3;
            out.set(x, y, {pixels[at], pixels[at + 1], pixels[at + 2]});
        }
    }
    return out;
}

TEST(PngEncoder, WritesEveryPixelTopRowFirst) {
    Bitmap picture(3, 2, {10, 20, 30});
    picture.set(2, 0, {255, 0, 0});
    picture.set(0, 1, {0, 0, 255});
    const auto file = EncodePng(picture);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(std::string(file.begin() + 1, file.begin() + 4), "PNG");
    const Bitmap back = decode(file);
    ASSERT_EQ(back.width, 3);
    ASSERT_EQ(back.height, 2);
    EXPECT_EQ(back.at(2, 0).r, 255);
    EXPECT_EQ(back.at(0, 1).b, 255);
    EXPECT_EQ(back.at(1, 1).g, 20);
    EXPECT_THROW(EncodePng(Bitmap()), std::invalid_argument);
}

}  // namespace
}  // namespace corvane
