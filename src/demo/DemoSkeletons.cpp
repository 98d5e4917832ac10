#include "demo/DemoSkeletons.h"

#include "render/PoseVertex.h"

#include <algorithm>
#include <span>
#include <stdexcept>

namespace corvane {

namespace {

struct Joint {
    std::string_view name;
    std::string_view parent;
    FigurePoint at;
};

// A skeleton as designed: its joints (parents first, the root first of all)
// and how it stands in the preview's model space.
struct Design {
    std::string_view kind;
    SkeletonKind poseKind;
    std::string_view fileName;
    std::span<const Joint> joints;
    std::size_t propertyBone;  // the bone whose block carries the property list
    TQuaternion turn;          // of the root, about the up axis; need not be of unit length
    FigurePoint placement;     // of the root
    float rootLowering;        // what the preview takes off y at the root …
    float pelvisLowering;      // … and at the pelvis
};

constexpr std::size_t kNoProperty = ~std::size_t{0};
constexpr TQuaternion kUpright{0, 0, 0, 1};
// About a third of a right angle toward the viewer's left (a quaternion of
// the preview need not be of unit length).
constexpr TQuaternion kThirdTurn{0.3f, 0, 0, 1};

// Left and right limbs mirror each other across z = 0.
constexpr FigurePoint left(float x, float y, float z) {
    return {x, y, -z};
}
constexpr FigurePoint right(float x, float y, float z) {
    return {x, y, z};
}

constexpr Joint kAdultJoints[] = {
    {"ROOT", "NULL", {0, 0, 0}},
    {"PELVIS", "ROOT", {0, 0, 0}},
    {"L_LEG", "PELVIS", left(-0.15f, 0, 0.25f)},
    {"L_LEG1", "L_LEG", left(-1.6f, 0.02f, 0.27f)},
    {"L_FOOT", "L_LEG1", left(-3.0f, -0.04f, 0.29f)},
    {"L_TOE0", "L_FOOT", left(-3.2f, 0.3f, 0.29f)},
    {"R_LEG", "PELVIS", right(-0.15f, 0, 0.25f)},
    {"R_LEG1", "R_LEG", right(-1.6f, 0.02f, 0.27f)},
    {"R_FOOT", "R_LEG1", right(-3.0f, -0.04f, 0.29f)},
    {"R_TOE0", "R_FOOT", right(-3.2f, 0.3f, 0.29f)},
    {"SPINE", "PELVIS", {0.35f, 0, 0}},
    {"SPINE1", "SPINE", {0.75f, 0, 0}},
    {"SPINE2", "SPINE1", {1.15f, 0, 0}},
    {"NECK", "SPINE2", {1.55f, 0, 0}},
    {"HEAD", "NECK", {1.8f, 0.02f, 0}},
    {"L_ARM", "NECK", left(1.45f, 0, 0.2f)},
    {"L_ARM1", "L_ARM", left(1.4f, 0, 0.55f)},
    {"L_ARM2", "L_ARM1", left(0.7f, 0.05f, 0.78f)},
    {"L_HAND", "L_ARM2", left(0.02f, 0.12f, 0.9f)},
    {"L_FINGER0", "L_HAND", left(-0.2f, 0.13f, 0.92f)},
    {"R_ARM", "NECK", right(1.45f, 0, 0.2f)},
    {"R_ARM1", "R_ARM", right(1.4f, 0, 0.55f)},
    {"R_ARM2", "R_ARM1", right(0.7f, 0.05f, 0.78f)},
    {"R_HAND", "R_ARM2", right(0.02f, 0.12f, 0.9f)},
    {"R_FINGER0", "R_HAND", right(-0.2f, 0.13f, 0.92f)},
};

// A child is drawn 1.2 times larger than its skeleton and framed by the
// same cameras as an adult: these joints give it an adult's head on a
// shorter, slighter body.
constexpr Joint kChildJoints[] = {
    {"ROOT", "NULL", {0, 0, 0}},
    {"PELVIS", "ROOT", {0, 0, 0}},
    {"L_LEG", "PELVIS", left(-0.12f, 0, 0.2f)},
    {"L_LEG1", "L_LEG", left(-1.05f, 0.03f, 0.22f)},
    {"L_FOOT", "L_LEG1", left(-2.0f, -0.04f, 0.23f)},
    {"L_TOE0", "L_FOOT", left(-2.15f, 0.25f, 0.23f)},
    {"R_LEG", "PELVIS", right(-0.12f, 0, 0.2f)},
    {"R_LEG1", "R_LEG", right(-1.05f, 0.03f, 0.22f)},
    {"R_FOOT", "R_LEG1", right(-2.0f, -0.04f, 0.23f)},
    {"R_TOE0", "R_FOOT", right(-2.15f, 0.25f, 0.23f)},
    {"SPINE", "PELVIS", {0.28f, 0, 0}},
    {"SPINE1", "SPINE", {0.6f, 0, 0}},
    {"SPINE2", "SPINE1", {0.92f, 0, 0}},
    {"NECK", "SPINE2", {1.25f, 0, 0}},
    {"HEAD", "NECK", {1.42f, 0.02f, 0}},
    {"L_ARM", "NECK", left(1.16f, 0, 0.15f)},
    {"L_ARM1", "L_ARM", left(1.12f, 0, 0.44f)},
    {"L_ARM2", "L_ARM1", left(0.56f, 0.05f, 0.61f)},
    {"L_HAND", "L_ARM2", left(0.02f, 0.1f, 0.71f)},
    {"L_FINGER0", "L_HAND", left(-0.15f, 0.1f, 0.72f)},
    {"R_ARM", "NECK", right(1.16f, 0, 0.15f)},
    {"R_ARM1", "R_ARM", right(1.12f, 0, 0.44f)},
    {"R_ARM2", "R_ARM1", right(0.56f, 0.05f, 0.61f)},
    {"R_HAND", "R_ARM2", right(0.02f, 0.1f, 0.71f)},
    {"R_FINGER0", "R_HAND", right(-0.15f, 0.1f, 0.72f)},
};

// Four-legged: the hind legs hang from the pelvis (thigh, shank, hock,
// paw), the front legs from the shoulders at the end of the spine.
constexpr Joint kDogJoints[] = {
    {"ROOT", "NULL", {0, 0, 0}},
    {"PELVIS", "ROOT", {0, -0.55f, 0}},
    {"L_LEG", "PELVIS", left(-0.1f, -0.6f, 0.19f)},
    {"L_LEG1", "L_LEG", left(-0.45f, -0.5f, 0.19f)},
    {"L_HORSELINK", "L_LEG1", left(-0.75f, -0.66f, 0.19f)},
    {"L_FOOT", "L_HORSELINK", left(-1.0f, -0.62f, 0.19f)},
    {"R_LEG", "PELVIS", right(-0.1f, -0.6f, 0.19f)},
    {"R_LEG1", "R_LEG", right(-0.45f, -0.5f, 0.19f)},
    {"R_HORSELINK", "R_LEG1", right(-0.75f, -0.66f, 0.19f)},
    {"R_FOOT", "R_HORSELINK", right(-1.0f, -0.62f, 0.19f)},
    {"TAIL", "PELVIS", {0.12f, -0.72f, 0}},
    {"SPINE", "PELVIS", {0, -0.2f, 0}},
    {"SPINE1", "SPINE", {0, 0.15f, 0}},
    {"SPINE2", "SPINE1", {0.02f, 0.45f, 0}},
    {"NECK", "SPINE2", {0.1f, 0.62f, 0}},
    {"NECK1", "NECK", {0.38f, 0.76f, 0}},
    {"HEAD", "NECK1", {0.6f, 0.88f, 0}},
    {"L_ARM", "SPINE2", left(0, 0.5f, 0.19f)},
    {"L_ARM1", "L_ARM", left(-0.15f, 0.5f, 0.19f)},
    {"L_ARM2", "L_ARM1", left(-0.55f, 0.48f, 0.19f)},
    {"L_HAND", "L_ARM2", left(-0.9f, 0.52f, 0.19f)},
    {"L_FINGER0", "L_HAND", left(-1.0f, 0.6f, 0.19f)},
    {"R_ARM", "SPINE2", right(0, 0.5f, 0.19f)},
    {"R_ARM1", "R_ARM", right(-0.15f, 0.5f, 0.19f)},
    {"R_ARM2", "R_ARM1", right(-0.55f, 0.48f, 0.19f)},
    {"R_HAND", "R_ARM2", right(-0.9f, 0.52f, 0.19f)},
    {"R_FINGER0", "R_HAND", right(-1.0f, 0.6f, 0.19f)},
};

// Smaller and lighter than the dog, with a long tail.
constexpr Joint kKatJoints[] = {
    {"ROOT", "NULL", {0, 0, 0}},
    {"PELVIS", "ROOT", {0, -0.35f, 0}},
    {"L_LEG", "PELVIS", left(-0.05f, -0.38f, 0.11f)},
    {"L_LEG1", "L_LEG", left(-0.25f, -0.3f, 0.11f)},
    {"L_HORSELINK", "L_LEG1", left(-0.45f, -0.42f, 0.11f)},
    {"L_FOOT", "L_HORSELINK", left(-0.6f, -0.38f, 0.11f)},
    {"R_LEG", "PELVIS", right(-0.05f, -0.38f, 0.11f)},
    {"R_LEG1", "R_LEG", right(-0.25f, -0.3f, 0.11f)},
    {"R_HORSELINK", "R_LEG1", right(-0.45f, -0.42f, 0.11f)},
    {"R_FOOT", "R_HORSELINK", right(-0.6f, -0.38f, 0.11f)},
    {"TAIL", "PELVIS", {0.05f, -0.45f, 0}},
    {"SPINE", "PELVIS", {0, -0.12f, 0}},
    {"SPINE1", "SPINE", {0, 0.1f, 0}},
    {"SPINE2", "SPINE1", {0.02f, 0.28f, 0}},
    {"NECK", "SPINE2", {0.08f, 0.38f, 0}},
    {"NECK1", "NECK", {0.2f, 0.46f, 0}},
    {"HEAD", "NECK1", {0.3f, 0.52f, 0}},
    {"L_ARM", "SPINE2", left(0, 0.3f, 0.11f)},
    {"L_ARM1", "L_ARM", left(-0.08f, 0.3f, 0.11f)},
    {"L_ARM2", "L_ARM1", left(-0.33f, 0.29f, 0.11f)},
    {"L_HAND", "L_ARM2", left(-0.55f, 0.32f, 0.11f)},
    {"L_FINGER0", "L_HAND", left(-0.6f, 0.37f, 0.11f)},
    {"R_ARM", "SPINE2", right(0, 0.3f, 0.11f)},
    {"R_ARM1", "R_ARM", right(-0.08f, 0.3f, 0.11f)},
    {"R_ARM2", "R_ARM1", right(-0.33f, 0.29f, 0.11f)},
    {"R_HAND", "R_ARM2", right(-0.55f, 0.32f, 0.11f)},
    {"R_FINGER0", "R_HAND", right(-0.6f, 0.37f, 0.11f)},
};

// The adult's pelvis and the child's root carry the property list, where
// the preview expects the longer block.
const Design kDesigns[] = {
    {"adult", Adult, "adult-skeleton", kAdultJoints, 1, kUpright, {}, 2.0f, 1.0f},
    {"child", Child, "child-skeleton", kChildJoints, 0, kUpright, {}, 2.0f, 0.0f},
    {"dog", Dog, "dog_skeleton", kDogJoints, kNoProperty, kThirdTurn, {0, 0, -0.42f}, 1.0f, 0.0f},
    {"kat", Kat, "kat_skeleton", kKatJoints, kNoProperty, kThirdTurn, {0, 0, -0.23f}, 1.0f, 0.0f},
};

const Design& designOf(std::string_view kind) {
    const auto design =
        std::find_if(std::begin(kDesigns), std::end(kDesigns), [&](const Design& d) { return d.kind == kind; });
    if (design == std::end(kDesigns)) throw std::invalid_argument("no demo skeleton of kind " + std::string(kind));
    return *design;
}

const Joint& jointOf(const Design& design, std::string_view bone) {
    const auto joint =
        std::find_if(design.joints.begin(), design.joints.end(), [&](const Joint& j) { return j.name == bone; });
    if (joint == design.joints.end()) {
        throw std::invalid_argument("the demo's " + std::string(design.kind) + " skeleton has no bone " +
                                    std::string(bone));
    }
    return *joint;
}

// What the file must hold so that the preview, adding its pose offsets to
// the stored components, ends up with `wanted`.
void storeRotation(const Design& design, std::string_view bone, const TQuaternion& wanted, float (&stored)[4]) {
    const TQuaternion offsets = PosedRotation(TSkeleton{std::string(bone), "NULL", {}, {}}, design.poseKind);
    stored[0] = wanted.x - offsets.x;
    stored[1] = wanted.y - offsets.y;
    stored[2] = wanted.z - offsets.z;
    stored[3] = wanted.w - offsets.w;
}

// The joint's offset from its parent; the root's is its place in model
// space. The bones the preview lowers stand as much higher.
void storeTranslation(const Design& design, const Joint& joint, float (&stored)[3]) {
    FigurePoint offset = design.placement;
    if (joint.parent == "NULL") {
        offset.y += design.rootLowering;
    } else {
        const FigurePoint parent = jointOf(design, joint.parent).at;
        offset = {joint.at.x - parent.x, joint.at.y - parent.y, joint.at.z - parent.z};
    }
    if (joint.name == "PELVIS") offset.y += design.pelvisLowering;
    stored[0] = offset.x;
    stored[1] = offset.y;
    stored[2] = offset.z;
}

SkeletonBone boneOf(const Design& design, const Joint& joint, bool property) {
    SkeletonBone bone;
    bone.name = joint.name;
    bone.parent = joint.parent;
    bone.hasProperty = property;
    bone.propertyName = "name";
    bone.propertyValue = design.kind;
    storeTranslation(design, joint, bone.translation);
    storeRotation(design, joint.name, joint.parent == "NULL" ? design.turn : kUpright, bone.rotation);
    return bone;
}

}  // namespace

std::string DemoSkeletonName(std::string_view kind) {
    return std::string(designOf(kind).fileName);
}

Skeleton DemoSkeleton(std::string_view kind) {
    const Design& design = designOf(kind);
    Skeleton skeleton{std::string(kind), {}};
    for (std::size_t i = 0; i < design.joints.size(); ++i) {
        skeleton.bones.push_back(boneOf(design, design.joints[i], i == design.propertyBone));
    }
    return skeleton;
}

FigurePoint DemoJoint(std::string_view kind, std::string_view bone) {
    return jointOf(designOf(kind), bone).at;
}

}  // namespace corvane
