#pragma once

#include "demo/SkinFileWriters.h"

#include <array>
#include <string>
#include <string_view>

namespace corvane {

/*
 The skeletons of the demo's characters, designed in figure space: the space
 in which the preview shows a character, with

   x  up
   y  toward the viewer, the way the figure faces
   z  to the figure's right (its left-hand bones lie at negative z)

 People stand with the pelvis at the origin, the soles two to three units
 below it, the head where the game's cameras for pictures of people look.
 Animals are designed facing +y with the middle of the back at the origin;
 their root turns them about a third of a right angle to the viewer's left,
 so that the preview shows head, flank and legs, and moves them aside so
 that the head comes to lie where the cameras for pictures of animals look.

 Below the root every bone keeps the axes of its figure space in the preview
 pose, so a mesh vertex bound to a bone is its figure-space position less the
 bone's joint (see DemoJoint).
*/

struct FigurePoint {
    float x = 0;
    float y = 0;
    float z = 0;
};

// The four kinds by the word of their files.
inline constexpr std::array<std::string_view, 4> kDemoSkeletonKinds{"adult", "child", "dog", "kat"};

// The base name under which the editor looks a kind's skeleton up:
// "adult-skeleton", "child-skeleton", "dog_skeleton", "kat_skeleton".
// Throws std::invalid_argument for an unknown kind.
std::string DemoSkeletonName(std::string_view kind);

// The skeleton of a kind as its file holds it. The stored rotations are the
// designed pose less the preview's pose offsets, so that the preview, which
// adds those offsets back, shows exactly the designed pose; the root and an
// adult's pelvis stand as high above their parents as the preview lowers
// them. Throws std::invalid_argument for an unknown kind.
Skeleton DemoSkeleton(std::string_view kind);

// Where a bone's joint lies in the figure space of its kind. Throws
// std::invalid_argument for an unknown kind or a bone the kind lacks.
FigurePoint DemoJoint(std::string_view kind, std::string_view bone);

}  // namespace corvane
