#include "ReferenceResampler.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace corvane::test::reference {

namespace {

// The filter arithmetic.

struct Contributor {
    int sourceIndex = 0;
    float weight = 0.0f;
};
using ContributorList = std::vector<Contributor>;

constexpr float kRadius = 3.0f;

float sinc(float x) {
    if (x == 0.0f) {
        return 1.0f;
    }
    const float angle = x * std::numbers::pi_v<float>;
    return std::sin(angle) / angle;
}

float LanczosWeight(float x) {
    x = std::fabs(x);
    if (x >= kRadius) {
        return 0.0f;
    }
    return sinc(x) * sinc(x / kRadius);
}

int mirrorIntoSource(int index, int sourceSize) {
    while (index < 0 || index >= sourceSize) {
        index = index < 0 ? -index : 2 * sourceSize - 1 - index;
    }
    return index;
}

ContributorList contributorsAround(float centre, float scale, int sourceSize) {
    const bool shrinking = scale < 1.0f;
    const float reach = shrinking ? kRadius / scale : kRadius;
    const int first = static_cast<int>(std::floor(centre - reach));
    const int last = static_cast<int>(std::ceil(centre + reach));
    ContributorList list;
    list.reserve(static_cast<std::size_t>(last - first + 1));
    for (int j = first; j <= last; ++j) {
        const float offset = centre - static_cast<float>(j);
        const float weight = shrinking ? LanczosWeight(offset * scale) * scale : LanczosWeight(offset);
        if (weight != 0.0f) {
            list.push_back({mirrorIntoSource(j, sourceSize), weight});
        }
    }
    return list;
}

float ResampleScale(int sourceSize, int destinationSize) {
    if (sourceSize == 1 || destinationSize == 1) {
        return static_cast<float>(destinationSize) / static_cast<float>(sourceSize);
    }
    return static_cast<float>(destinationSize - 1) / static_cast<float>(sourceSize - 1);
}

std::vector<ContributorList> BuildContributors(int sourceSize, int destinationSize) {
    if (sourceSize <= 0) {
        throw std::invalid_argument("resampling needs a source of at least one pixel");
    }
    std::vector<ContributorList> lists;
    if (destinationSize <= 0) {
        return lists;
    }
    const float scale = ResampleScale(sourceSize, destinationSize);
    lists.reserve(static_cast<std::size_t>(destinationSize));
    for (int i = 0; i < destinationSize; ++i) {
        lists.push_back(contributorsAround(static_cast<float>(i) / scale, scale, sourceSize));
    }
    return lists;
}

std::uint8_t SampleToByte(float sum) {
    if (sum > 255.0f) {
        return 255;
    }
    if (sum < 0.0f) {
        return 0;
    }
    // Explicit, so no floating-point rounding mode set elsewhere can change it.
    const float whole = std::floor(sum);
    const float fraction = sum - whole;
    const bool up = fraction > 0.5f || (fraction == 0.5f && std::fmod(whole, 2.0f) != 0.0f);
    return static_cast<std::uint8_t>(up ? whole + 1.0f : whole);
}

// The two passes.

void requireSourcePixels(const Bitmap& source) {
    if (source.width <= 0 || source.height <= 0) {
        throw std::runtime_error("Source bitmap too small");
    }
    if (source.pixels.size() != static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height)) {
        throw std::invalid_argument("bitmap pixel count does not match its size");
    }
}

// One output pixel: each colour byte is the weighted sum of the listed input
// pixels, accumulated in single precision. `inputAt` maps a source index along
// the current axis to its pixel.
template <typename InputAt>
Rgb filterPixel(const ContributorList& contributors, InputAt inputAt) {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    for (const Contributor& contributor : contributors) {
        const Rgb& input = inputAt(contributor.sourceIndex);
        red += contributor.weight * static_cast<float>(input.r);
        green += contributor.weight * static_cast<float>(input.g);
        blue += contributor.weight * static_cast<float>(input.b);
    }
    return {SampleToByte(red), SampleToByte(green), SampleToByte(blue)};
}

std::size_t offsetOf(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

// Every source row to the destination width: the W × h work bitmap.
Bitmap resampleRows(const Bitmap& source, const std::vector<ContributorList>& columns) {
    const int width = static_cast<int>(columns.size());
    Bitmap work(width, source.height);
    for (int y = 0; y < source.height; ++y) {
        auto sourceAt = [&](int x) -> const Rgb& { return source.pixels[offsetOf(x, y, source.width)]; };
        for (int x = 0; x < width; ++x) {
            work.pixels[offsetOf(x, y, width)] = filterPixel(columns[static_cast<std::size_t>(x)], sourceAt);
        }
    }
    return work;
}

// Every work column to the destination height.
Bitmap resampleColumns(const Bitmap& work, const std::vector<ContributorList>& rows) {
    const int height = static_cast<int>(rows.size());
    Bitmap result(work.width, height);
    for (int y = 0; y < height; ++y) {
        const ContributorList& contributors = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < work.width; ++x) {
            auto workAt = [&](int row) -> const Rgb& { return work.pixels[offsetOf(x, row, work.width)]; };
            result.pixels[offsetOf(x, y, work.width)] = filterPixel(contributors, workAt);
        }
    }
    return result;
}

// The destination is only replaced once the new picture is complete.
Bitmap resampled(const Bitmap& source, int width, int height) {
    requireSourcePixels(source);
    if (width < 0 || height < 0) {
        throw std::invalid_argument("resampling to a negative size");
    }
    const Bitmap work = resampleRows(source, BuildContributors(source.width, width));
    Bitmap result = resampleColumns(work, BuildContributors(source.height, height));
    result.bitDepth = 24;
    return result;
}

}  // namespace

void ResampleBitmap(const Bitmap& source, Bitmap& destination) {
    destination = resampled(source, destination.width, destination.height);
}

}  // namespace corvane::test::reference
