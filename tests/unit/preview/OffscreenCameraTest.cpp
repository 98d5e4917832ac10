#include "render/OffscreenCamera.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(OffscreenCamera, RowsOfTheTableByImageAndSkeletonKind) {
    struct Case {
        ImageKind kind;
        int skeleton;
        OffscreenCamera expected;
    };
    const Case cases[] = {
        {0, 0, {2, -115, -90, -270, -255, 55, 40}}, {0, 3, {0.25f, -8, -45, -270, -255, 16, 12}},
        {1, 1, {2.25f, -13.5f, -25, -290, -260, 10, 10}}, {4, 0, {0, -2.25f, -25, -290, -260, 12, 12}},
        {6, 1, {2.25f, -13.5f, -25, -290, -260, 11, 11}}, {7, 2, {1.25f, 8.75f, -25, -270, -260, 9, 9}},
        {8, 1, {0.25f, -15.25f, -25, -254, -265, 11, 11}}, {9, 3, {2, 13.75f, -25, -280, -253, 9, 9}},
    };
    for (const Case& c : cases) {
        const OffscreenCamera cam = OffscreenCameraFor(c.kind, c.skeleton);
        EXPECT_EQ(std::make_tuple(cam.tx, cam.ty, cam.tz, cam.angleY, cam.angleZ, cam.s1, cam.s2),
                  std::make_tuple(c.expected.tx, c.expected.ty, c.expected.tz, c.expected.angleY, c.expected.angleZ,
                                  c.expected.s1, c.expected.s2))
            << "image " << c.kind << " skeleton " << c.skeleton;
    }
    EXPECT_THROW(OffscreenCameraFor(10, 0), std::out_of_range);
    EXPECT_THROW(OffscreenCameraFor(0, 4), std::out_of_range);
    EXPECT_FLOAT_EQ(OffscreenClearColour(3).g, 0.18f);
    EXPECT_FLOAT_EQ(OffscreenClearColour(9).b, 0.31f);
}

TEST(OffscreenCamera, VerticesOfTheCloserPicturesMoveAsideAndDouble) {
    auto placed = [](ImageKind kind, int skeleton) {
        const VertexPlacement p = OffscreenPlacement(kind, skeleton);
        return std::make_pair(p.aside, p.factor);
    };
    EXPECT_EQ(placed(0, 0), std::make_pair(0.0f, 1.0f));
    EXPECT_EQ(placed(0, 3), std::make_pair(0.0f, 2.0f)) << "a cat's full body is doubled";
    EXPECT_EQ(placed(1, 0), std::make_pair(2.0f, 2.0f)) << "an adult moves 2 aside";
    EXPECT_EQ(placed(7, 2), std::make_pair(1.0f, 2.0f)) << "others move 1 aside";
}

}  // namespace
}  // namespace corvane
