#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane {
namespace {

const std::vector<Rgb> kPalette{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

TEST(BitmapTest, IndicesAndColoursStayInStep) {
    Bitmap bitmap = Bitmap::fromIndices(2, 2, kPalette, {0, 1, 2, 7});
    EXPECT_EQ(bitmap.at(1, 1), (Rgb{0, 0, 0}));  // past the palette: black

    bitmap.setIndex(0, 1, 1);
    EXPECT_EQ(bitmap.at(0, 1), kPalette[1]);
    EXPECT_EQ(bitmap.indexAt(0, 1), 1);

    // A colour written directly leaves the palette behind.
    bitmap.set(1, 0, {9, 9, 9});
    EXPECT_EQ(bitmap.at(1, 0), (Rgb{9, 9, 9}));
    EXPECT_FALSE(bitmap.hasIndices());
    EXPECT_THROW(bitmap.setIndex(0, 0, 0), std::logic_error);
}

TEST(BitmapTest, RowsAreTopDownRowMajor) {
    Bitmap bitmap(3, 2);
    bitmap.set(2, 1, {1, 2, 3});
    EXPECT_EQ(bitmap.pixels[5], (Rgb{1, 2, 3}));
    EXPECT_EQ(bitmap.bitDepth, 0);
}

TEST(BitmapTest, RejectsPixelsOutsideAndMismatchedSizes) {
    Bitmap bitmap(3, 2);
    EXPECT_THROW(bitmap.at(3, 0), std::out_of_range);
    EXPECT_THROW(bitmap.at(0, -1), std::out_of_range);
    EXPECT_THROW(bitmap.set(0, 2, {}), std::out_of_range);
    EXPECT_THROW(Bitmap::fromIndices(2, 2, kPalette, {0, 1, 2}), std::invalid_argument);
    EXPECT_THROW(Bitmap(-1, 2), std::invalid_argument);
}

}  // namespace
}  // namespace corvane
