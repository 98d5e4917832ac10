#pragma once

#include "render/Quaternions.h"
#include "render/Skeleton.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The fixed pose the preview always shows: offsets added to the components of
// a bone's rest rotation as read from the skeleton file. A component without
// an offset is used as read.
struct PoseRow {
    std::string_view bone;
    std::optional<float> x;
    std::optional<float> y;
    std::optional<float> z;
    std::optional<float> w;
};

// The rows of a kind: adults and children share theirs; kats have no row for
// L_LEG and R_LEG. Empty for a kind outside the four.
std::span<const PoseRow> PreviewPoseTable(SkeletonKind kind);

// The bone's rest rotation bent into the preview pose.
TQuaternion PosedRotation(const TSkeleton& bone, SkeletonKind kind);

// Carries a position and a normal from the space of `bone` into model space,
// in place: rotated by each bone up the parent chain (posed, divided by its
// squared norm), the position moved by the bone's translation and lowered by
// the kind's vertical offset at ROOT (and at an adult's PELVIS). The chain ends
// at "NULL", at a name no bone has (the first bone of a name counts), and, for
// a chain that loops, after as many steps as there are bones.
void PoseVertex(const std::vector<TSkeleton>& bones, SkeletonKind kind, const std::string& bone, TVector3& position,
                TVector3& normal);

}  // namespace corvane
