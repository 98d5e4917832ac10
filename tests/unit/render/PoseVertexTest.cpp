#include "render/PoseVertex.h"

#include "RenderFixtures.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using render_test::expectNear;
using render_test::kIdentity;
using render_test::quarterTurnAboutZ;

struct Posed {
    TVector3 position;
    TVector3 normal;
};

Posed pose(const std::vector<TSkeleton>& bones, SkeletonKind kind, const std::string& bone,
           TVector3 position = {0.1f, 0.2f, 0.3f}, TVector3 normal = {1, 0, 0}) {
    PoseVertex(bones, kind, bone, position, normal);
    return {position, normal};
}

// ROOT turns a quarter about z (stored at twice unit length) and stands 3
// high; PELVIS sits 0.5 above it, unturned.
std::vector<TSkeleton> rootAndPelvis() {
    return {{"ROOT", "NULL", {0, 3, 0}, quarterTurnAboutZ(2.0f)}, {"PELVIS", "ROOT", {0, 0.5f, 0}, kIdentity}};
}

// PELVIS: (0.1, 0.7, 0.3), lowered by 1 to (0.1, −0.3, 0.3) before ROOT
// turns it to (0.3, 0.1, 0.3); ROOT's translation and the lowering by 2 give
// (0.3, 1.1, 0.3). The normal turns with ROOT and is never moved.
TEST(PoseVertex, AnAdultPelvisVertexIsLoweredAtPelvisAndAtRoot) {
    const Posed posed = pose(rootAndPelvis(), Adult, "PELVIS");
    expectNear(posed.position, {0.3f, 1.1f, 0.3f});
    expectNear(posed.normal, {0, 1, 0});
}

// Without the lowering at PELVIS ROOT turns (0.1, 0.7, 0.3) to (−0.7, 0.1, 0.3).
TEST(PoseVertex, AChildPelvisVertexIsLoweredOnlyAtRoot) {
    const Posed posed = pose(rootAndPelvis(), Child, "PELVIS");
    expectNear(posed.position, {-0.7f, 1.1f, 0.3f});
    expectNear(posed.normal, {0, 1, 0});
}

TEST(PoseVertex, AnimalsAreLoweredByOneAtRoot) {
    for (const SkeletonKind kind : {Dog, Kat}) {
        expectNear(pose(rootAndPelvis(), kind, "PELVIS").position, {-0.7f, 2.1f, 0.3f});
    }
}

TEST(PoseVertex, TheChainEndsAtAParentNoBoneHas) {
    std::vector<TSkeleton> bones = rootAndPelvis();
    bones[1].parent = "HIPS";
    expectNear(pose(bones, Adult, "PELVIS").position, {0.1f, -0.3f, 0.3f});
    expectNear(pose(bones, Adult, "NOSUCHBONE").position, {0.1f, 0.2f, 0.3f});
    expectNear(pose(bones, Adult, "pelvis").position, {0.1f, 0.2f, 0.3f});  // names compare with their case
}

TEST(PoseVertex, TheFirstBoneOfANameCounts) {
    std::vector<TSkeleton> bones = rootAndPelvis();
    bones.push_back({"PELVIS", "NULL", {0, 100, 0}, kIdentity});
    expectNear(pose(bones, Adult, "PELVIS").position, {0.3f, 1.1f, 0.3f});
}

TEST(PoseVertex, AChainThatLoopsEndsAfterAsManyStepsAsThereAreBones) {
    const std::vector<TSkeleton> bones{{"A", "B", {1, 0, 0}, kIdentity}, {"B", "A", {1, 0, 0}, kIdentity}};
    expectNear(pose(bones, Dog, "A", {0, 0, 0}).position, {2, 0, 0});
}

// The pose rows: offsets added to the components read from the file.
TEST(PoseVertex, ADogsLegIsBentAndAKatsIsNot) {
    const TSkeleton leg{"L_LEG", "NULL", {0, 0, 0}, {0.5f, 0.25f, -0.25f, 0.75f}};
    const TQuaternion dog = PosedRotation(leg, Dog);
    EXPECT_EQ(dog.x, 0.5f + -0.2f);
    EXPECT_EQ(dog.y, 0.25f);
    EXPECT_EQ(dog.z, -0.25f);
    EXPECT_EQ(dog.w, 0.75f);
    const TQuaternion kat = PosedRotation(leg, Kat);
    EXPECT_EQ(kat.x, 0.5f);
    EXPECT_EQ(kat.w, 0.75f);

    const std::vector<TSkeleton> bones{leg};
    const TVector3 start{0, 1, 0};
    TVector3 asRead = start;
    QuatRotateVector(leg.rotation, asRead);
    expectNear(pose(bones, Kat, "L_LEG", start).position, asRead);
    TVector3 bent = start;
    QuatRotateVector(dog, bent);
    expectNear(pose(bones, Dog, "L_LEG", start).position, bent);
    EXPECT_GT(std::abs(bent.x - asRead.x) + std::abs(bent.z - asRead.z), 0.01f);
}

TEST(PoseVertex, PoseRowsByKind) {
    const TSkeleton arm{"L_ARM1", "NULL", {}, {0.5f, 0.5f, 0.5f, 0.5f}};
    const TQuaternion human = PosedRotation(arm, Adult);
    EXPECT_EQ(human.x, 0.5f + 0.6f);
    EXPECT_EQ(human.y, 0.5f + -1.8f);
    EXPECT_EQ(human.z, 0.5f + 2.0f);
    EXPECT_EQ(human.w, 0.5f + -6.0f);
    const TQuaternion child = PosedRotation(arm, Child);
    EXPECT_EQ(child.w, human.w) << "children share the adults' rows";
    EXPECT_EQ(PosedRotation(arm, Kat).x, 0.5f + 0.3f);
    EXPECT_EQ(PosedRotation(arm, Dog).x, 0.5f + 0.4f);

    const TSkeleton neck{"NECK", "NULL", {}, {0.5f, 0.5f, 0.5f, 0.5f}};
    EXPECT_EQ(PosedRotation(neck, Adult).y, 0.5f + 0.2f);
    EXPECT_EQ(PosedRotation(neck, Adult).w, 0.5f);
    EXPECT_EQ(PosedRotation(neck, Kat).y, 0.5f + -0.4f);

    EXPECT_EQ(PreviewPoseTable(Adult).size(), 11u);
    EXPECT_EQ(PreviewPoseTable(Dog).size(), 22u);
    EXPECT_EQ(PreviewPoseTable(Kat).size(), 20u);
    EXPECT_TRUE(PreviewPoseTable(static_cast<SkeletonKind>(7)).empty());
}

}  // namespace
}  // namespace corvane
