#include "render/OffscreenCamera.h"

#include <stdexcept>

namespace corvane {

namespace {

constexpr int kAdult = 0;
constexpr int kKat = 3;

// Rows by image kind, columns by skeleton kind (adult, child, dog, kat).
using CameraRow = std::array<OffscreenCamera, 4>;

constexpr CameraRow kFullBody{{
    {2, -115, -90, -270, -255, 55, 40},
    {2, -95, -90, -270, -255, 58, 48},
    {1, -55, -90, -267, -275, 73, 48},
    {0.25f, -8, -45, -270, -255, 16, 12},
}};
constexpr CameraRow kHead{{
    {0, -2.25f, -25, -290, -260, 10, 10},
    {2.25f, -13.5f, -25, -290, -260, 10, 10},
    {3, 10.75f, -25, -292, -253, 10, 10},
    {4, 15.75f, -25, -292, -253, 10, 10},
}};
constexpr CameraRow kRelationship{{
    {0, -2.25f, -25, -290, -260, 12, 12},
    {2.25f, -13.5f, -25, -290, -260, 11, 11},
    {3, 10.75f, -25, -292, -253, 10, 10},
    {4, 15.75f, -25, -292, -253, 10, 10},
}};
constexpr CameraRow kFaceFront{{
    {0.25f, -2, -25, -270, -260, 12, 12},
    {2.25f, -13.5f, -25, -270, -260, 10, 10},
    {1.25f, 8.75f, -25, -270, -260, 9, 9},
    {0.25f, 12.75f, -25, -270, -260, 9, 9},
}};
constexpr CameraRow kFaceLeft{{
    {0.25f, -2, -25, -254, -265, 12, 12},
    {0.25f, -15.25f, -25, -254, -265, 11, 11},
    {-2.25f, 8, -25, -254, -265, 9, 9},
    {-2.25f, 11.75f, -25, -254, -265, 9, 9},
}};
constexpr CameraRow kFaceRight{{
    {0.25f, -2, -25, -280, -253, 12, 12},
    {2.25f, -12.75f, -25, -280, -253, 10, 10},
    {1.25f, 10.25f, -25, -280, -253, 9, 9},
    {2, 13.75f, -25, -280, -253, 9, 9},
}};

void requireKinds(ImageKind kind, int skeletonKind) {
    if (kind < 0 || kind >= kImageKinds || skeletonKind < 0 || skeletonKind > kKat) {
        throw std::out_of_range("no camera for image kind " + std::to_string(kind) + " and skeleton kind " +
                                std::to_string(skeletonKind));
    }
}

}  // namespace

RgbF OffscreenClearColour(ImageKind kind) {
    static constexpr std::array<RgbF, kImageKinds> colours{{
        {0, 0, 0}, {1, 1, 1}, {0.81f, 0, 0}, {0.5f, 0.18f, 0.15f}, {0.25f, 0.36f, 0.34f},
        {0.125f, 0.56f, 0.28f}, {0, 0.78f, 0.22f}, {0, 0, 0.31f}, {0, 0, 0.31f}, {0, 0, 0.31f},
    }};
    requireKinds(kind, kAdult);
    return colours[static_cast<std::size_t>(kind)];
}

OffscreenCamera OffscreenCameraFor(ImageKind kind, int skeletonKind) {
    requireKinds(kind, skeletonKind);
    const CameraRow& row = kind == 0 ? kFullBody : kind == 1 ? kHead : kind <= 6 ? kRelationship
                         : kind == 7 ? kFaceFront : kind == 8 ? kFaceLeft : kFaceRight;
    return row[static_cast<std::size_t>(skeletonKind)];
}

VertexPlacement OffscreenPlacement(ImageKind kind, int skeletonKind) {
    requireKinds(kind, skeletonKind);
    if (kind == 0) return {0.0f, skeletonKind == kKat ? 2.0f : 1.0f};
    return {skeletonKind == kAdult ? 2.0f : 1.0f, 2.0f};
}

}  // namespace corvane
