#include "render/MakeThumb.h"

#include "TestPictures.h"
#include "support/TempDir.h"
#include "platform/BmpCodec.h"
#include "platform/FormatError.h"
#include "render/JpegCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

namespace corvane {
namespace {

using test::ChannelDifference;
using test::LargestDifference;

Bitmap Sized(int width, int height) {
    Bitmap destination;
    destination.width = width;
    destination.height = height;
    return destination;
}

TEST(ResampleBitmap, SameSizeReproducesThePictureExactlyAsTrueColour) {
    // Random palette colours: any leak of the near-zero weights at whole
    // offsets, or a shifted centre, changes some byte.
    const Bitmap noise = test::NoisePicture(256, 1, 7);
    std::vector<std::uint8_t> indices(128 * 128);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 24);
    }
    const Bitmap source = Bitmap::fromIndices(128, 128, noise.pixels, indices);

    Bitmap destination = Sized(128, 128);
    ResampleBitmap(source, destination);

    EXPECT_EQ(destination.pixels, source.pixels);
    EXPECT_EQ(destination.bitDepth, 24);
    EXPECT_FALSE(destination.hasIndices());
    EXPECT_TRUE(destination.palette.empty());
}

TEST(ResampleBitmap, OnePixelWideSourceStretchesToTenWithoutReadingOutside) {
    const Rgb colour{200, 100, 50};
    const Bitmap source(1, 3, colour);
    Bitmap destination = Sized(10, 3);
    ResampleBitmap(source, destination);

    ASSERT_EQ(destination.width, 10);
    ASSERT_EQ(destination.height, 3);
    EXPECT_EQ(destination.at(0, 1), colour);  // centred on the source pixel
    for (const Rgb& pixel : destination.pixels) {
        EXPECT_LE(ChannelDifference(pixel, colour), 2);
    }
}

TEST(ResampleBitmap, ShrinkingAFlatColourKeepsIt) {
    // The weights are scaled by the scale; without that the sum would be four
    // times too bright, and a wrong mirror would show at the edges.
    const Rgb colour{90, 160, 230};
    const Bitmap source(128, 96, colour);
    Bitmap destination = Sized(32, 40);
    ResampleBitmap(source, destination);

    ASSERT_EQ(destination.pixels.size(), 32u * 40u);
    EXPECT_LE(LargestDifference(destination, Bitmap(32, 40, colour)), 2);
}

TEST(ResampleBitmap, ThinLineSurvivesEnlargingWhereTheSourceHasIt) {
    // A bright column 4 of 9 lands on destination column 4·(33 − 1)/(9 − 1) = 16.
    Bitmap source(9, 2, {0, 0, 0});
    source.set(4, 0, {255, 255, 255});
    source.set(4, 1, {255, 255, 255});
    Bitmap destination = Sized(33, 2);
    ResampleBitmap(source, destination);

    EXPECT_EQ(destination.at(16, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(destination.at(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(destination.at(32, 1), (Rgb{0, 0, 0}));
}

TEST(ResampleToFit, KeepsTheAspectRatioRoundingHalvesAwayFromZero) {
    struct Case {
        int width;
        int height;
        int size;
        int expectedWidth;
        int expectedHeight;
    };
    const Case cases[] = {
        {200, 100, 32, 32, 16}, {100, 200, 32, 16, 32}, {50, 50, 40, 40, 40},
        {64, 9, 32, 32, 5},  // 4.5 → 5 (not 4, the even neighbour)
        {9, 64, 32, 5, 32},  {64, 7, 32, 32, 4},  // 3.5 → 4 (not 3, the truncation)
        {3, 2, 60, 60, 40},  // enlarging
    };
    for (const Case& c : cases) {
        Bitmap destination;
        ResampleToFit(Bitmap(c.width, c.height, {1, 2, 3}), destination, c.size);
        EXPECT_EQ(destination.width, c.expectedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(destination.height, c.expectedHeight) << c.width << " x " << c.height;
        EXPECT_EQ(destination.pixels.size(),
                  static_cast<std::size_t>(c.expectedWidth) * static_cast<std::size_t>(c.expectedHeight));
    }
}

TEST(ResampleToSquare, IgnoresTheAspectRatio) {
    Bitmap destination;
    ResampleToSquare(Bitmap(200, 100, {5, 5, 5}), destination, 40);
    EXPECT_EQ(destination.width, 40);
    EXPECT_EQ(destination.height, 40);
}

TEST(Resample, EmptySourceRaisesSourceBitmapTooSmallAndLeavesTheDestination) {
    using Resample = std::function<void(const Bitmap&, Bitmap&)>;
    const std::pair<const char*, Resample> calls[] = {
        {"ResampleBitmap", [](const Bitmap& s, Bitmap& d) { ResampleBitmap(s, d); }},
        {"ResampleToSquare", [](const Bitmap& s, Bitmap& d) { ResampleToSquare(s, d, 32); }},
        {"ResampleToFit", [](const Bitmap& s, Bitmap& d) { ResampleToFit(s, d, 32); }},
    };
    const Bitmap sources[] = {Bitmap(0, 10), Bitmap(10, 0), Bitmap(0, 0), Bitmap()};
    for (const auto& [name, call] : calls) {
        for (const Bitmap& source : sources) {
            Bitmap destination(4, 4, {9, 9, 9});
            try {
                call(source, destination);
                ADD_FAILURE() << name << " accepted a " << source.width << " x " << source.height << " source";
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "Source bitmap too small") << name;
            }
            EXPECT_EQ(destination.width, 4) << name;
            EXPECT_EQ(destination.pixels.size(), 16u) << name;
        }
    }
}

class ThumbnailFromFileTest : public ::testing::Test {
protected:
    std::filesystem::path write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto path = folder_.path() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // Left half red, right half blue.
    static Bitmap TwoColours() {
        Bitmap picture(64, 48, {220, 20, 20});
        for (int y = 0; y < 48; ++y) {
            for (int x = 32; x < 64; ++x) {
                picture.set(x, y, {20, 20, 220});
            }
        }
        return picture;
    }

    test::TempDir folder_;
};

TEST_F(ThumbnailFromFileTest, DecodesByTheLowerCasedExtensionOnlyJpgAsJpeg) {
    const auto jpeg = EncodeJpeg(TwoColours(), 95);
    const auto bmp = EncodeBmp24(TwoColours());
    struct Case {
        const char* name;
        const std::vector<std::uint8_t>* bytes;
        bool decodes;
    };
    const Case cases[] = {
        {"skin.jpg", &jpeg, true},   {"SKIN.JPG", &jpeg, true},  {"skin.Jpg", &jpeg, true},
        {"skin.jpeg", &jpeg, false},  // taken for a BMP, which it is not
        {"skin.bmp", &bmp, true},    {"skin.png", &bmp, true},   {"skin", &bmp, true},
        {"skin.jpg", &bmp, false},    // a BMP under a JPEG name goes to the JPEG decoder
    };
    for (const Case& c : cases) {
        const auto path = write(c.name, *c.bytes);
        Bitmap thumbnail;
        if (c.decodes) {
            ThumbnailFromFile(path, thumbnail, 32);
            ASSERT_EQ(thumbnail.width, 32) << c.name;
            ASSERT_EQ(thumbnail.height, 32) << c.name;
            EXPECT_LE(ChannelDifference(thumbnail.at(3, 16), {220, 20, 20}), 12) << c.name;
            EXPECT_LE(ChannelDifference(thumbnail.at(28, 16), {20, 20, 220}), 12) << c.name;
        } else {
            try {
                ThumbnailFromFile(path, thumbnail, 32);
                ADD_FAILURE() << c.name << " was decoded";
            } catch (const FormatError& error) {
                EXPECT_EQ(error.file(), path.string()) << c.name;
            }
        }
        std::filesystem::remove(path);
    }
}

TEST_F(ThumbnailFromFileTest, MissingFileIsRaised) {
    Bitmap thumbnail;
    EXPECT_THROW(ThumbnailFromFile(folder_.path() / "absent.bmp", thumbnail, 40), std::runtime_error);
}

}  // namespace
}  // namespace corvane
