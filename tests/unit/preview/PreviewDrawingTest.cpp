// Drawing models off-screen. Fails, never skips, when no context can be made.
#include "render/PreviewScene.h"
#include "render/SurfacelessGlContext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane {
namespace {

// A cube `size` wide around the origin, seen from any side.
TSKNModel cube(float size, SkeletonKind kind) {
    TSKNModel model;
    model.kind = kind;
    const float h = size / 2;
    for (int i = 0; i < 8; ++i) {
        model.positions.push_back({i & 1 ? h : -h, i & 2 ? h : -h, i & 4 ? h : -h});
        model.normals.push_back({0, 0, 1});
        model.textureCoordinates.push_back({i & 1 ? 1.0f : 0.0f, i & 2 ? 1.0f : 0.0f});
    }
    model.faces = {{0, 1, 3}, {0, 3, 2}, {4, 6, 7}, {4, 7, 5}, {0, 4, 5}, {0, 5, 1},
                   {2, 3, 7}, {2, 7, 6}, {0, 2, 6}, {0, 6, 4}, {1, 5, 7}, {1, 7, 3}};
    return model;
}

int countNot(const Bitmap& picture, Rgb background) {
    int count = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& c = picture.at(x, y);
            count += (std::abs(c.r - background.r) + std::abs(c.g - background.g) + std::abs(c.b - background.b)) > 12;
        }
    }
    return count;
}

class PreviewDrawing : public ::testing::Test {
protected:
    SurfacelessGlContext context;
    Bitmap green{4, 4, {0, 200, 0}};
};

TEST_F(PreviewDrawing, EachPictureHasItsBackgroundAndShowsTheTexturedModel) {
    const TSKNModel model = cube(4.0f, Adult);
    const Bitmap empty = RenderOffscreen({{&model, &green}}, 40, 40, 2, context.procLookup());
    const Rgb corner = empty.at(0, 0);
    EXPECT_NEAR(corner.r, 207, 2) << "relationship tile 2 is red";
    EXPECT_EQ(corner.g, 0);
    int greenPixels = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) greenPixels += empty.at(x, y).g > 150 && empty.at(x, y).r < 60;
    }
    EXPECT_GT(greenPixels, 0) << "the model is drawn in its texture";

    const Bitmap face = RenderOffscreen({{&model, &green}}, 35, 41, 8, context.procLookup());
    EXPECT_NEAR(face.at(0, 0).b, 79, 2) << "face tiles are dark blue";
    EXPECT_THROW(RenderOffscreen({}, 10, 10, 0, context.procLookup()), std::runtime_error) << "nothing to draw";
}

TEST_F(PreviewDrawing, ThePreviewViewSeesTheCharacterAndDrawsChildrenLarger) {
    const Rgb background{0, 0x40, 0x80};  // the default preview colour 0x804000
    const TSKNModel adult = cube(1.0f, Adult);
    const TSKNModel child = cube(1.0f, Child);
    const Bitmap adultPicture = RenderPreviewPicture({{&adult, &green}}, 100, 100, 0x804000, PreviewView(), context.procLookup());
    const Bitmap childPicture = RenderPreviewPicture({{&child, &green}}, 100, 100, 0x804000, PreviewView(), context.procLookup());
    EXPECT_NEAR(adultPicture.at(0, 0).b, background.b, 2);
    const int adultArea = countNot(adultPicture, background);
    const int childArea = countNot(childPicture, background);
    ASSERT_GT(adultArea, 0) << "the initial view looks at the model";
    EXPECT_NEAR(static_cast<double>(childArea) / adultArea, 1.2 * 1.2, 0.25) << "a child's mesh is drawn 1.2 times larger";
}

}  // namespace
}  // namespace corvane
