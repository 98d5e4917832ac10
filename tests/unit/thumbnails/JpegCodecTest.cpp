#include "render/JpegCodec.h"

#include "TestPictures.h"
#include "platform/BmpCodec.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>  // before jpeglib.h, which needs FILE
#include <cstdlib>
#include <functional>
#include <set>

#include <jpeglib.h>

namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ChannelDifference;
using test::LargestDifference;

// Files our encoder does not write (greyscale, progressive), made with libjpeg
// directly. `setup` runs after the defaults and before compression starts.
Bytes EncodeWithLibjpeg(int width, int height, bool grey, const std::function<void(jpeg_compress_struct&)>& setup) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    setup(info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * info.input_components));
    while (info.next_scanline < info.image_height) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i] = static_cast<JSAMPLE>((i * 255 / row.size() + info.next_scanline) & 0xFF);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

// A progressive scan script of one DC scan and one scan per AC coefficient and
// component: 190 scans, all legal, far more than any encoder writes.
Bytes ProgressiveWithEveryCoefficientApart() {
    static std::vector<jpeg_scan_info> scans;
    scans.clear();
    scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
    for (int component = 0; component < 3; ++component) {
        for (int k = 1; k < 64; ++k) {
            scans.push_back({1, {component, 0, 0, 0}, k, k, 0, 0});
        }
    }
    return EncodeWithLibjpeg(16, 16, false, [](jpeg_compress_struct& info) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    });
}

// The offset of the first frame header's height field.
std::size_t FrameSizeOffset(const Bytes& jpeg) {
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        const int marker = jpeg[at + 1];
        if (marker == 0xC0 || marker == 0xC2) {
            return at + 5;
        }
        at += 2 + static_cast<std::size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
    }
    ADD_FAILURE() << "no frame header";
    return 0;
}

Bytes WithFrameSize(Bytes jpeg, std::uint16_t width, std::uint16_t height) {
    const std::size_t at = FrameSizeOffset(jpeg);
    jpeg[at] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 1] = static_cast<std::uint8_t>(height);
    jpeg[at + 2] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 3] = static_cast<std::uint8_t>(width);
    return jpeg;
}

TEST(JpegRoundTrip24, KeepsAFlatColourWithinTwo) {
    const Rgb colours[] = {{0, 0, 0},     {255, 255, 255}, {128, 128, 128}, {255, 0, 0},
                           {0, 255, 0},   {0, 0, 255},     {13, 201, 77},   {250, 240, 5}};
    for (const Rgb& colour : colours) {
        const Bitmap source(21, 13, colour);  // sides that are not whole blocks
        const Bitmap decoded = JpegRoundTrip24(source);
        ASSERT_EQ(decoded.width, 21);
        ASSERT_EQ(decoded.height, 13);
        EXPECT_EQ(decoded.bitDepth, 24);
        EXPECT_LE(LargestDifference(decoded, source), 2)
            << int(colour.r) << "," << int(colour.g) << "," << int(colour.b);
    }
}

TEST(JpegRoundTrip24, TurnsAPaletteImageIntoTrueColour) {
    const Bitmap source = Bitmap::fromIndices(2, 2, {{10, 20, 30}, {200, 210, 220}}, {0, 1, 1, 0});
    const Bitmap decoded = JpegRoundTrip24(source);
    EXPECT_FALSE(decoded.hasIndices());
    EXPECT_TRUE(decoded.palette.empty());
    EXPECT_EQ(decoded.pixels.size(), 4u);
}

TEST(EncodeJpeg, GrowsItsOutputForLargePicturesAndHonoursTheQuality) {
    // Grey noise at quality 100 needs well over the first 64 KiB of output.
    const Bitmap noise = test::NoisePicture(320, 320, 11, true);
    const Bytes best = EncodeJpeg(noise, 100);
    const Bytes poor = EncodeJpeg(noise, 20);
    ASSERT_GT(best.size(), 64u * 1024u);
    EXPECT_LT(poor.size() * 2, best.size());
    EXPECT_EQ(best[0], 0xFF);
    EXPECT_EQ(best[1], 0xD8);
    EXPECT_EQ(best[best.size() - 2], 0xFF);
    EXPECT_EQ(best.back(), 0xD9);
    EXPECT_LE(test::MeanDifference(DecodeJpeg24(best), noise), 1.5);
}

TEST(EncodeJpeg, RefusesWhatItCannotEncode) {
    Bitmap mismatched(4, 4);
    mismatched.pixels.pop_back();
    EXPECT_THROW(EncodeJpeg(Bitmap(), 100), std::invalid_argument);
    EXPECT_THROW(EncodeJpeg(mismatched, 100), std::invalid_argument);
    EXPECT_THROW(EncodeJpeg(Bitmap(2, 2), 0), std::invalid_argument);
    EXPECT_THROW(EncodeJpeg(Bitmap(2, 2), 101), std::invalid_argument);
    EXPECT_THROW(EncodeJpeg(Bitmap(70000, 1), 90), std::runtime_error);  // past JPEG's 65500
}

TEST(JpegRoundTrip8, GivesAnEightBitPictureOfAtMostTheAskedColoursCloseToTheSource) {
    const Bitmap source = test::GradientPicture(96, 80);  // thousands of colours
    for (int colours : {8, 64, kGameImageColours, 256}) {
        const Bitmap reduced = JpegRoundTrip8(source, colours);
        ASSERT_EQ(reduced.width, 96);
        ASSERT_EQ(reduced.height, 80);
        EXPECT_EQ(reduced.bitDepth, 8);
        ASSERT_TRUE(reduced.hasIndices());
        EXPECT_LE(reduced.palette.size(), static_cast<std::size_t>(colours));
        const std::set<std::uint8_t> used(reduced.indices.begin(), reduced.indices.end());
        EXPECT_LT(*used.rbegin(), reduced.palette.size());
        // A palette read after libjpeg freed it, or a wrong one, is far off.
        EXPECT_LE(test::MeanDifference(reduced, source), colours >= 64 ? 10.0 : 30.0) << colours;
        if (colours == kGameImageColours) {
            EXPECT_GT(used.size(), 150u);
            EXPECT_NO_THROW(EncodeBmp8(reduced));
        }
    }
}

// Floyd–Steinberg carries each pixel's error to its neighbours, so the average
// colour of a patch follows the source; nearest-colour mapping (no dithering)
// bands a gradient and is about three times further off on this picture.
TEST(JpegRoundTrip8, DithersSoPatchAveragesFollowTheSource) {
    constexpr int kPatch = 16;
    const Bitmap source = test::GradientPicture(128, 128);
    const Bitmap reduced = JpegRoundTrip8(source);
    double totalError = 0;
    int patches = 0;
    for (int top = 0; top < source.height; top += kPatch) {
        for (int left = 0; left < source.width; left += kPatch) {
            int difference = 0;
            for (int y = top; y < top + kPatch; ++y) {
                for (int x = left; x < left + kPatch; ++x) {
                    const Rgb want = source.at(x, y);
                    const Rgb got = reduced.at(x, y);
                    difference += (want.r + want.g + want.b) - (got.r + got.g + got.b);
                }
            }
            totalError += std::abs(difference) / (kPatch * kPatch * 3.0);
            ++patches;
        }
    }
    EXPECT_LE(totalError / patches, 0.5);
}

TEST(DecodeJpegQuantized, RefusesColourCountsTheQuantiserCannotMake) {
    const Bytes jpeg = EncodeJpeg(Bitmap(8, 8, {1, 2, 3}), 90);
    for (int colours : {0, 7, 257, -1}) {
        EXPECT_THROW(DecodeJpegQuantized(jpeg, colours), std::invalid_argument) << colours;
    }
}

TEST(DecodeJpeg24, ReadsGreyscaleAndProgressiveFiles) {
    const Bytes grey = EncodeWithLibjpeg(24, 16, true, [](jpeg_compress_struct&) {});
    const Bitmap greyPicture = DecodeJpeg24(grey, "grey.jpg");
    ASSERT_EQ(greyPicture.pixels.size(), 24u * 16u);
    for (const Rgb& pixel : greyPicture.pixels) {
        EXPECT_TRUE(pixel.r == pixel.g && pixel.g == pixel.b);
    }
    EXPECT_LE(DecodeJpegQuantized(grey, kGameImageColours, "grey.jpg").palette.size(), 236u);

    const Bytes progressive =
        EncodeWithLibjpeg(40, 30, false, [](jpeg_compress_struct& info) { jpeg_simple_progression(&info); });
    const Bitmap progressivePicture = DecodeJpeg24(progressive, "progressive.jpg");
    EXPECT_EQ(progressivePicture.width, 40);
    EXPECT_EQ(progressivePicture.height, 30);
}

TEST(DecodeJpeg24, CutInsideThePictureDataStillGivesThePicture) {
    // Damage libjpeg can step over is tolerated: the rows it has are kept.
    const Bytes whole = EncodeJpeg(test::GradientPicture(64, 64), 100);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 2 / 3));
    const Bitmap picture = DecodeJpeg24(cut, "cut.jpg");
    ASSERT_EQ(picture.width, 64);
    ASSERT_EQ(picture.height, 64);
    EXPECT_LE(ChannelDifference(picture.at(0, 0), test::GradientPicture(64, 64).at(0, 0)), 3);
}

TEST(DecodeJpeg, DamagedFilesRaiseFormatErrorNamingTheFile) {
    const Bytes good = EncodeJpeg(test::GradientPicture(32, 24), 90);
    struct Case {
        const char* fault;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"not_a_jpeg", EncodeBmp24(Bitmap(2, 2))},
        {"start_of_image_only", {0xFF, 0xD8}},
        {"cut_in_header", Bytes(good.begin(), good.begin() + 40)},
        {"zero_width", WithFrameSize(good, 0, 24)},
        {"larger_than_the_editor_reads", WithFrameSize(good, 10000, 7000)},  // 70 M pixels
        {"more_scans_than_a_picture_needs", ProgressiveWithEveryCoefficientApart()},
    };
    for (const Case& c : cases) {
        for (const bool quantised : {false, true}) {
            try {
                if (quantised) {
                    DecodeJpegQuantized(c.bytes, kGameImageColours, "damaged.jpg");
                } else {
                    DecodeJpeg24(c.bytes, "damaged.jpg");
                }
                ADD_FAILURE() << c.fault << " was decoded";
            } catch (const FormatError& error) {
                EXPECT_EQ(error.file(), "damaged.jpg") << c.fault;
                EXPECT_LE(error.offset(), c.bytes.size()) << c.fault;
            }
        }
    }
}

}  // namespace
}  // namespace corvane
