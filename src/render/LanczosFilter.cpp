#include "render/LanczosFilter.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace corvane {

namespace {

constexpr float kRadius = 3.0f;

float sinc(float x) {
    if (x == 0.0f) {
        return 1.0f;
    }
    const float angle = x * std::numbers::pi_v<float>;
    return std::sin(angle) / angle;
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

}  // namespace

float LanczosWeight(float x) {
    x = std::fabs(x);
    if (x >= kRadius) {
        return 0.0f;
    }
    return sinc(x) * sinc(x / kRadius);
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

}  // namespace corvane
