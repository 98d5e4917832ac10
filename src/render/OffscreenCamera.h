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

// Where a model's vertex is drawn: x moved `aside`, then everything times `factor`.
struct VertexPlacement {
    float aside = 0.0f;
    float factor = 1.0f;
};

// The pictures' placement in place of the preview's scale: full-body
// pictures double a cat, the close pictures move x aside (2 for an adult, 1
// for the others) and double everything.
VertexPlacement OffscreenPlacement(ImageKind kind, int skeletonKind);

}  // namespace corvane
