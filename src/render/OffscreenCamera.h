#pragma once

#include "platform/Bitmap.h"

#include <array>

namespace corvane {

// The pictures of a character the game keeps: 0 full body, 1 head, 2 to 6
// relationship tiles, 7 to 9 face tiles.
using ImageKind = int;
inline constexpr ImageKind kImageKinds = 10;

struct RgbF {
    float r, g, b;
};

// The background of each picture.
RgbF OffscreenClearColour(ImageKind kind);

// Where the camera stands for a picture of a character of a skeleton kind
// (0 adult, 1 child, 2 dog, 3 kat): a translation, a turn of `angleY`
// degrees about y, then `angleZ` about z, then a scale of (s1, s2, −s1).
struct OffscreenCamera {
    float tx, ty, tz;
    float angleY, angleZ;
    float s1, s2;
};
OffscreenCamera OffscreenCameraFor(ImageKind kind, int skeletonKind);

// The per-vertex change the pictures make in place of the preview's scale:
// full-body pictures double a cat, the close pictures move x aside (2 for an
// adult, 1 for the others) and double everything.
std::array<float, 3> OffscreenVertex(ImageKind kind, int skeletonKind, float x, float y, float z);

}  // namespace corvane
