#pragma once

#include "platform/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

namespace corvane::test {

inline Bitmap NoisePicture(int width, int height, std::uint32_t seed, bool grey = false) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    Bitmap picture(width, height);
    for (Rgb& pixel : picture.pixels) {
        const auto r = static_cast<std::uint8_t>(byte(random));
        pixel = grey ? Rgb{r, r, r}
                     : Rgb{r, static_cast<std::uint8_t>(byte(random)), static_cast<std::uint8_t>(byte(random))};
    }
    return picture;
}

// Smooth in red and green, a slower ramp in blue: thousands of distinct colours
// that a JPEG keeps well.
inline Bitmap GradientPicture(int width, int height) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels[static_cast<std::size_t>(y * width + x)] = {
                static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                static_cast<std::uint8_t>((x + y) * 255 / std::max(1, width + height - 2))};
        }
    }
    return picture;
}

inline int ChannelDifference(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

inline int LargestDifference(const Bitmap& a, const Bitmap& b) {
    int largest = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        largest = std::max(largest, ChannelDifference(a.pixels[i], b.pixels[i]));
    }
    return largest;
}

// Mean over pixels and channels of the absolute difference.
inline double MeanDifference(const Bitmap& a, const Bitmap& b) {
    double total = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        total += std::abs(a.pixels[i].r - b.pixels[i].r) + std::abs(a.pixels[i].g - b.pixels[i].g) +
                 std::abs(a.pixels[i].b - b.pixels[i].b);
    }
    return total / (3.0 * static_cast<double>(a.pixels.size()));
}

}  // namespace corvane::test
