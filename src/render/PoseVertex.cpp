#include "render/PoseVertex.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

constexpr std::optional<float> kAsRead;

constexpr std::array kHumanPose{
    PoseRow{"L_TOE0", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"R_TOE0", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"NECK", kAsRead, 0.2f, kAsRead, kAsRead},
    PoseRow{"L_ARM", kAsRead, -0.3f, kAsRead, 0.06f},
    PoseRow{"R_ARM", kAsRead, -0.3f, kAsRead, 0.06f},
    PoseRow{"L_ARM1", 0.6f, -1.8f, 2.0f, -6.0f},
    PoseRow{"R_ARM1", -0.6f, -1.8f, -2.0f, -6.0f},
    PoseRow{"L_ARM2", -0.4f, -0.4f, 0.2f, -4.0f},
    PoseRow{"R_ARM2", 0.4f, -0.4f, -0.2f, -4.0f},
    PoseRow{"L_HAND", 0.6f, -0.1f, -0.1f, 2.0f},
    PoseRow{"R_HAND", -0.6f, -0.1f, 0.1f, 2.0f},
};

constexpr std::array kDogPose{
    PoseRow{"NECK", kAsRead, -0.1f, kAsRead, 1.5f},
    PoseRow{"NECK1", kAsRead, 0.2f, kAsRead, 1.5f},
    PoseRow{"SPINE", kAsRead, kAsRead, kAsRead, 2.0f},
    PoseRow{"SPINE1", kAsRead, -0.1f, kAsRead, 0.5f},
    PoseRow{"SPINE2", kAsRead, -0.1f, kAsRead, 0.5f},
    PoseRow{"L_ARM1", 0.4f, 0.4f, 0.2f, 1.5f},
    PoseRow{"R_ARM1", -0.4f, 0.4f, -0.2f, 1.5f},
    PoseRow{"L_ARM2", -0.3f, kAsRead, kAsRead, -3.0f},
    PoseRow{"R_ARM2", 0.3f, kAsRead, kAsRead, -3.0f},
    PoseRow{"L_HAND", kAsRead, 0.2f, kAsRead, -0.5f},
    PoseRow{"R_HAND", kAsRead, 0.2f, kAsRead, -0.5f},
    PoseRow{"L_FINGER0", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"R_FINGER0", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"TAIL", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"L_LEG", -0.2f, kAsRead, kAsRead, kAsRead},
    PoseRow{"R_LEG", -0.2f, kAsRead, kAsRead, kAsRead},
    PoseRow{"L_LEG1", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"R_LEG1", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"L_HORSELINK", kAsRead, 0.4f, kAsRead, 1.5f},
    PoseRow{"R_HORSELINK", kAsRead, 0.4f, kAsRead, 1.5f},
    PoseRow{"L_FOOT", kAsRead, kAsRead, kAsRead, 0.5f},
    PoseRow{"R_FOOT", kAsRead, kAsRead, kAsRead, 0.5f},
};

constexpr std::array kKatPose{
    PoseRow{"NECK", kAsRead, -0.4f, kAsRead, 1.5f},
    PoseRow{"NECK1", kAsRead, 0.5f, kAsRead, 1.5f},
    PoseRow{"SPINE", kAsRead, kAsRead, kAsRead, 2.0f},
    PoseRow{"SPINE1", kAsRead, -0.1f, kAsRead, 0.5f},
    PoseRow{"SPINE2", kAsRead, -0.1f, kAsRead, 0.5f},
    PoseRow{"L_ARM1", 0.3f, -0.1f, 0.4f, 1.0f},
    PoseRow{"R_ARM1", -0.3f, -0.1f, -0.4f, 1.0f},
    PoseRow{"L_ARM2", -0.3f, kAsRead, kAsRead, -3.0f},
    PoseRow{"R_ARM2", 0.3f, kAsRead, kAsRead, -3.0f},
    PoseRow{"L_HAND", kAsRead, 0.2f, kAsRead, -0.5f},
    PoseRow{"R_HAND", kAsRead, 0.2f, kAsRead, -0.5f},
    PoseRow{"L_FINGER0", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"R_FINGER0", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"TAIL", kAsRead, kAsRead, kAsRead, 0.5f},
    PoseRow{"L_LEG1", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"R_LEG1", kAsRead, kAsRead, kAsRead, 1.5f},
    PoseRow{"L_HORSELINK", kAsRead, 0.4f, kAsRead, 1.5f},
    PoseRow{"R_HORSELINK", kAsRead, 0.4f, kAsRead, 1.5f},
    PoseRow{"L_FOOT", kAsRead, kAsRead, kAsRead, 0.5f},
    PoseRow{"R_FOOT", kAsRead, kAsRead, kAsRead, 0.5f},
};

const PoseRow* poseRowOf(SkeletonKind kind, const std::string& bone) {
    const std::span<const PoseRow> rows = PreviewPoseTable(kind);
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const PoseRow& r) { return r.bone == bone; });
    return row == rows.end() ? nullptr : &*row;
}

void addOffset(float& component, const std::optional<float>& offset) {
    if (offset) {
        component += *offset;
    }
}

// How far the position is lowered after the translation of `bone`.
float verticalOffset(SkeletonKind kind, const std::string& bone) {
    const bool root = bone == "ROOT";
    switch (kind) {
        case Adult:
            return root ? 2.0f : bone == "PELVIS" ? 1.0f : 0.0f;
        case Child:
            return root ? 2.0f : 0.0f;
        case Dog:
        case Kat:
            return root ? 1.0f : 0.0f;
    }
    return 0.0f;
}

const TSkeleton* firstBoneNamed(const std::vector<TSkeleton>& bones, const std::string& name) {
    const auto bone = std::find_if(bones.begin(), bones.end(), [&](const TSkeleton& b) { return b.name == name; });
    return bone == bones.end() ? nullptr : &*bone;
}

void applyBone(const TSkeleton& bone, SkeletonKind kind, TVector3& position, TVector3& normal) {
    TQuaternion rotation = PosedRotation(bone, kind);
    QuatDivideByNormSquared(rotation);
    QuatRotateVector(rotation, position);
    QuatRotateVector(rotation, normal);
    position.x += bone.translation.x;
    position.y += bone.translation.y;
    position.z += bone.translation.z;
    position.y -= verticalOffset(kind, bone.name);
}

}  // namespace

std::span<const PoseRow> PreviewPoseTable(SkeletonKind kind) {
    switch (kind) {
        case Adult:
        case Child:
            return kHumanPose;
        case Dog:
            return kDogPose;
        case Kat:
            return kKatPose;
    }
    return {};
}

TQuaternion PosedRotation(const TSkeleton& bone, SkeletonKind kind) {
    TQuaternion rotation = bone.rotation;
    if (const PoseRow* row = poseRowOf(kind, bone.name)) {
        addOffset(rotation.x, row->x);
        addOffset(rotation.y, row->y);
        addOffset(rotation.z, row->z);
        addOffset(rotation.w, row->w);
    }
    return rotation;
}

void PoseVertex(const std::vector<TSkeleton>& bones, SkeletonKind kind, const std::string& bone, TVector3& position,
                TVector3& normal) {
    const std::string* current = &bone;
    for (std::size_t step = 0; step < bones.size() && *current != "NULL"; ++step) {
        const TSkeleton* found = firstBoneNamed(bones, *current);
        if (found == nullptr) {
            return;
        }
        applyBone(*found, kind, position, normal);
        current = &found->parent;
    }
}

}  // namespace corvane
