#include "render/LanczosFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace corvane {
namespace {

constexpr double kPiSquared = std::numbers::pi * std::numbers::pi;

TEST(LanczosWeight, MatchesTheWindowedSincAndVanishesFromThreeOn) {
    struct Case {
        float x;
        double expected;
    };
    // sinc(x)·sinc(x/3) in closed form at half-integers: 6/π², −4/(3π²), 6/(25π²).
    const Case cases[] = {{0.0f, 1.0},           {0.5f, 6 / kPiSquared},        {-0.5f, 6 / kPiSquared},
                          {1.5f, -4 / (3 * kPiSquared)}, {2.5f, 6 / (25 * kPiSquared)}, {-2.5f, 6 / (25 * kPiSquared)},
                          {1.0f, 0.0},           {2.0f, 0.0},                   {3.0f, 0.0},
                          {-3.0f, 0.0},          {3.5f, 0.0},                   {100.0f, 0.0}};
    for (const Case& c : cases) {
        EXPECT_NEAR(LanczosWeight(c.x), c.expected, 1e-6) << "x = " << c.x;
    }
    // Exactly zero at and beyond the radius, so those pairs are dropped.
    EXPECT_EQ(LanczosWeight(3.0f), 0.0f);
    EXPECT_EQ(LanczosWeight(-7.25f), 0.0f);
}

TEST(ResampleScale, PutsTheEndPixelsOnTheEndPixelsAndTreatsSinglePixelsByRatio) {
    struct Case {
        int source;
        int destination;
        float expected;
    };
    const Case cases[] = {
        {1, 10, 10.0f},          // a one-pixel source: N/n, not (N − 1)/0
        {128, 32, 31.0f / 127.0f},
        {128, 128, 1.0f},
        {2, 5, 4.0f},
        {100, 1, 0.01f},  // a one-pixel destination: N/n, not 0
        {1, 1, 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(ResampleScale(c.source, c.destination), c.expected) << c.source << " -> " << c.destination;
    }
}

TEST(BuildContributors, StaysInsideTheSourceWithinTheFilterSupportForEverySize) {
    struct Case {
        int source;
        int destination;
    };
    // Tiny sources need more than one reflection; large ratios need wide supports.
    const Case cases[] = {{1, 10}, {2, 7}, {3, 1}, {2, 1}, {5, 2}, {4, 40}, {128, 32}, {40, 128}, {300, 3}, {7, 7}};
    for (const Case& c : cases) {
        const float scale = ResampleScale(c.source, c.destination);
        const double bound = scale >= 1.0f ? 7.0 : 6.0 / scale + 1.0;
        const auto lists = BuildContributors(c.source, c.destination);
        ASSERT_EQ(lists.size(), static_cast<std::size_t>(c.destination));
        for (const ContributorList& list : lists) {
            EXPECT_FALSE(list.empty());
            EXPECT_LE(static_cast<double>(list.size()), bound) << c.source << " -> " << c.destination;
            for (const Contributor& contributor : list) {
                EXPECT_GE(contributor.sourceIndex, 0);
                EXPECT_LT(contributor.sourceIndex, c.source);
                EXPECT_NE(contributor.weight, 0.0f);
            }
        }
    }
}

TEST(BuildContributors, OnePixelSourceWidenedToTenUsesOnlyThatPixel) {
    const auto lists = BuildContributors(1, 10);
    ASSERT_EQ(lists.size(), 10u);
    for (const ContributorList& list : lists) {
        float sum = 0;
        for (const Contributor& contributor : list) {
            EXPECT_EQ(contributor.sourceIndex, 0);
            sum += contributor.weight;
        }
        EXPECT_NEAR(sum, 1.0, 0.02);
    }
}

std::map<int, int> IndexCounts(const ContributorList& list) {
    std::map<int, int> counts;
    for (const Contributor& contributor : list) {
        ++counts[contributor.sourceIndex];
    }
    return counts;
}

TEST(BuildContributors, ShrinkingReachesThreeOverTheScaleOnEachSide) {
    // 128 → 32: scale 31/127, so a centre takes source pixels closer than
    // 3·127/31 ≈ 12.3; column 16 is centred at 16·127/31 ≈ 65.5.
    const auto lists = BuildContributors(128, 32);
    const double centre = 16.0 * 127.0 / 31.0;
    const double reach = 3.0 * 127.0 / 31.0;
    std::map<int, int> expected;
    for (int j = 0; j < 128; ++j) {
        if (std::abs(centre - j) < reach) {
            expected[j] = 1;
        }
    }
    EXPECT_EQ(IndexCounts(lists[16]), expected);
    EXPECT_EQ(expected.begin()->first, 54);
    EXPECT_EQ(expected.rbegin()->first, 77);
}

TEST(BuildContributors, MirrorsAboutTheFirstPixelAndPastTheLastOne) {
    const auto lists = BuildContributors(128, 32);
    // Left: j < 0 becomes −j, so pixel 0 counts once and 1..12 twice.
    const auto left = IndexCounts(lists.front());
    EXPECT_EQ(left.at(0), 1);
    for (int index = 1; index <= 12; ++index) {
        EXPECT_EQ(left.at(index), 2) << index;
    }
    EXPECT_EQ(left.count(13), 0u);
    // Right: j ≥ 128 becomes 255 − j, so 127 itself counts twice.
    const auto right = IndexCounts(lists.back());
    for (int index = 116; index <= 127; ++index) {
        EXPECT_EQ(right.at(index), 2) << index;
    }
    EXPECT_EQ(right.at(115), 1);
    EXPECT_EQ(right.count(114), 0u);
}

TEST(BuildContributors, KeepsTheWeightsUnnormalised) {
    // 2 → 3: the middle column is centred halfway, where the six Lanczos taps
    // sum to 2·(6/π² − 4/(3π²) + 6/(25π²)) ≈ 0.9943, not 1.
    const auto lists = BuildContributors(2, 3);
    float sum = 0;
    for (const Contributor& contributor : lists[1]) {
        sum += contributor.weight;
    }
    EXPECT_NEAR(sum, 2 * (6 - 4.0 / 3 + 6.0 / 25) / kPiSquared, 1e-5);
    EXPECT_GT(std::abs(sum - 1.0f), 0.005f);
}

TEST(BuildContributors, RefusesAnEmptySourceAndGivesNothingForAnEmptyDestination) {
    EXPECT_THROW(BuildContributors(0, 5), std::invalid_argument);
    EXPECT_TRUE(BuildContributors(5, 0).empty());
}

TEST(SampleToByte, ClampsAndRoundsHalvesToEven) {
    struct Case {
        float sum;
        int expected;
    };
    const Case cases[] = {{0.5f, 0},       {1.5f, 2},   {2.5f, 2},     {3.5f, 4},    {254.5f, 254},
                          {2.4999f, 2},    {2.5001f, 3}, {0.0f, 0},    {-0.3f, 0},   {-40.0f, 0},
                          {255.0f, 255},   {255.2f, 255}, {300.0f, 255}, {127.49f, 127}};
    for (const Case& c : cases) {
        EXPECT_EQ(SampleToByte(c.sum), c.expected) << "sum " << c.sum;
    }
}

}  // namespace
}  // namespace corvane
