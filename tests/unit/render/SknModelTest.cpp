#include "render/SknModel.h"

#include "RenderFixtures.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using render_test::boneOf;
using render_test::expectNear;
using render_test::kIdentity;

// Three drawn vertices on PELVIS and, as in the game's bodies, two blend
// vertices after them that no binding covers and no face uses (V = T + D).
//
// Lines: 0 name, 1 texture, 2 "1", 3 PELVIS, 4 "1", 5 face, 6 "1", 7 binding,
// 8 "3", 9-11 coordinates, 12 "2", 13-14 blends, 15 "5", 16-20 vertices.
Mesh bodyWithBlendVertices() {
    Mesh mesh;
    mesh.name = "xskin-test-PELVIS-BODY";
    mesh.texture = "x";
    mesh.bones = {"PELVIS"};
    mesh.faces = {{0, 1, 2}};
    mesh.bindings = {{0, 0, 3, -1, 0}};
    mesh.coordinates = {{0.5f, 1.0f}, {0.25f, 0.25f}, {1.0f, 0.5f}};
    mesh.blends = {{3, 32768}, {4, 16384}};
    mesh.vertices = {{0, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 1},  // drawn
                     {5, 5, 5, 0, 1, 0}, {6, 6, 6, 0, 1, 0}};                       // blend
    return mesh;
}

TSKNModel parsed(const Lines& lines, std::vector<TSkeleton> bones = {}, SkeletonKind kind = Adult) {
    TSKNModel model;
    model.bones = std::move(bones);
    model.kind = kind;
    ParseSknModel(lines, "mesh.skn", model);
    return model;
}

TSKNModel parsed(const Mesh& mesh, std::vector<TSkeleton> bones = {}, SkeletonKind kind = Adult) {
    return parsed(MeshFileLines(mesh), std::move(bones), kind);
}

TEST(SknModel, TheMeshIsKeptAsReadWithTheTextureCoordinatesFlipped) {
    const TSKNModel model = parsed(bodyWithBlendVertices());

    ASSERT_EQ(model.faces.size(), 1u);
    EXPECT_EQ(model.faces[0], (TFace{0, 1, 2}));
    ASSERT_EQ(model.bindings.size(), 1u);
    EXPECT_EQ(model.bindings[0].boneName, "PELVIS");
    EXPECT_EQ(model.bindings[0].boneIndex, 0);
    EXPECT_EQ(model.bindings[0].firstVertex, 0);
    EXPECT_EQ(model.bindings[0].vertexCount, 3);
    EXPECT_EQ(model.bindings[0].firstBlend, -1);
    EXPECT_EQ(model.bindings[0].blendCount, 0);

    ASSERT_EQ(model.textureCoordinates.size(), 3u);
    EXPECT_EQ(model.textureCoordinates[0].u, 0.5f);
    EXPECT_EQ(model.textureCoordinates[0].v, 0.0f);
    EXPECT_EQ(model.textureCoordinates[1].u, 0.25f);
    EXPECT_EQ(model.textureCoordinates[1].v, 0.75f);

    ASSERT_EQ(model.blends.size(), 2u);
    EXPECT_EQ(model.blends[1].vertex, 4);
    EXPECT_EQ(model.blends[1].weight, 16384.0f);

    ASSERT_EQ(model.positions.size(), 5u);
    ASSERT_EQ(model.normals.size(), 5u);
    expectNear(model.positions[1], {1, 0, 0}, 0);
    expectNear(model.normals[3], {0, 1, 0}, 0);
    EXPECT_FALSE(model.loaded);
    EXPECT_EQ(model.texture, 0u);
}

TEST(SknModel, BoneNamesAreKeptExactlyAndPairedWithBindingsByPosition) {
    Mesh mesh = bodyWithBlendVertices();
    mesh.bones = {" PELVIS", "SPINE"};  // a second name without a binding line
    const TSKNModel model = parsed(mesh);
    ASSERT_EQ(model.bindings.size(), 2u);
    EXPECT_EQ(model.bindings[0].boneName, " PELVIS");
    EXPECT_EQ(model.bindings[0].vertexCount, 3);
    EXPECT_EQ(model.bindings[1].boneName, "SPINE");
    EXPECT_EQ(model.bindings[1].vertexCount, 0);
}

TEST(SknModel, FacesAreDrawnFromTheirThirdCornerBack) {
    EXPECT_EQ(FaceCornersInDrawOrder({0, 1, 2}), (TFace{2, 1, 0}));
    EXPECT_EQ(FaceCornersInDrawOrder({7, 3, 5}), (TFace{5, 3, 7}));
}

TEST(SknModel, AnimalsAreDrawnLargerThanChildrenAndChildrenLargerThanAdults) {
    EXPECT_EQ(DrawScale(Adult), 1.0f);
    EXPECT_EQ(DrawScale(Child), 1.2f);
    EXPECT_EQ(DrawScale(Dog), 2.5f);
    EXPECT_EQ(DrawScale(Kat), 2.5f);
}

// Posing moves the vertices a binding covers and leaves the blend vertices
// after them as read.
TEST(SknModel, ABodyWithBlendVerticesIsPosedWhereItIsBound) {
    TSKNModel model = parsed(bodyWithBlendVertices(), {{"PELVIS", "NULL", {0, 10, 0}, kIdentity}}, Child);
    PoseSknModel(model);
    expectNear(model.positions[0], {0, 10, 0});
    expectNear(model.positions[1], {1, 10, 0});
    expectNear(model.positions[2], {0, 11, 0});
    expectNear(model.positions[3], {5, 5, 5}, 0);
    expectNear(model.positions[4], {6, 6, 6}, 0);
}

// Binding 0 covers vertices 1 and 2, binding 1 vertices 0 and 1: vertex 1 is
// in both and follows binding 0, the first in order (not the first to start).
TEST(SknModel, AVertexInTwoBindingsFollowsTheFirst) {
    Mesh mesh = bodyWithBlendVertices();
    mesh.bones = {"BONE_B", "BONE_A"};
    mesh.bindings = {{0, 1, 2, -1, 0}, {1, 0, 2, -1, 0}};
    mesh.vertices.assign(3, {0, 0, 0, 0, 0, 1});
    mesh.blends.clear();
    TSKNModel model =
        parsed(mesh, {{"BONE_A", "NULL", {1, 0, 0}, kIdentity}, {"BONE_B", "NULL", {0, 1, 0}, kIdentity}});
    PoseSknModel(model);
    expectNear(model.positions[0], {1, 0, 0});
    expectNear(model.positions[1], {0, 1, 0});
    expectNear(model.positions[2], {0, 1, 0});
}

TEST(SknModel, ABindingReachingPastTheVerticesPosesOnlyThoseThatExist) {
    Lines lines = MeshFileLines(bodyWithBlendVertices());
    lines[7] = "0 0 1000 -1 0";
    TSKNModel model = parsed(lines, {{"PELVIS", "NULL", {0, 0, 1}, kIdentity}}, Dog);
    PoseSknModel(model);
    expectNear(model.positions[4], {6, 6, 7});
}

// A bone's rotation is used divided by its squared norm and through the
// exact inverse: a file whose rotations are all doubled poses the same mesh.
TEST(SknModel, DoublingTheSkeletonsRotationsChangesNoPosedVertex) {
    const auto bones = [](float factor) {
        return std::vector<SkeletonBone>{
            boneOf("ROOT", "NULL", {0, 3, 0}, {0.1f * factor, -0.7f * factor, 0.1f * factor, 0.7f * factor}),
            boneOf("PELVIS", "ROOT", {0, 0, 0.2f}, {0.5f * factor, 0.5f * factor, 0.5f * factor, -0.5f * factor}),
            boneOf("SPINE", "PELVIS", {0.3f, 0, 0}, {0, 0.3f * factor, 0, 0.9f * factor})};
    };
    Mesh mesh = bodyWithBlendVertices();
    mesh.bones = {"SPINE", "PELVIS"};
    mesh.bindings = {{0, 0, 2, -1, 0}, {1, 2, 1, -1, 0}};
    const auto posed = [&](float factor) {
        const auto lines = SkeletonFileLines(render_test::skeletonOf("adult", bones(factor)));
        const ParsedSkeleton skeleton = ParseSkeleton(lines, "adult-skeleton.cmx");
        TSKNModel model = parsed(mesh, skeleton.bones, skeleton.kind);
        PoseSknModel(model);
        return model;
    };
    const TSKNModel once = posed(1.0f);
    const TSKNModel twice = posed(2.0f);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        expectNear(twice.positions[i], once.positions[i]);
        expectNear(twice.normals[i], once.normals[i]);
    }
    const TVector3& moved = once.positions[0];
    EXPECT_GT(std::abs(moved.x) + std::abs(moved.y) + std::abs(moved.z), 0.1f) << "vertex 0 was posed";
}

// The mesh is refused, with its file and line, when a face would draw a
// vertex that is not there, has no texture coordinate or hangs on no bone, or
// when the layout is broken. Line numbers as in bodyWithBlendVertices.
TEST(SknModel, AMeshThatCannotBeDrawnIsRefusedNamingTheLine) {
    const struct {
        const char* fault;
        std::size_t line;
        std::function<void(Lines&)> damage;
    } cases[] = {
        {"face_uses_unbound_vertex", 5, [](Lines& l) { l[7] = "0 0 2 -1 0"; }},
        {"face_uses_vertex_without_coordinate", 5, [](Lines& l) { l[7] = "0 0 5 -1 0", l[5] = "0 1 4"; }},
        {"face_uses_blend_vertex", 5, [](Lines& l) { l[5] = "2 3 1"; }},
        {"face_index_past_vertices", 5, [](Lines& l) { l[5] = "0 1 5"; }},
        {"face_index_negative", 5, [](Lines& l) { l[5] = "0 -1 2"; }},
        {"face_index_not_whole", 5, [](Lines& l) { l[5] = "0 1.5 2"; }},
        {"face_corner_missing", 5, [](Lines& l) { l[5] = "0 1"; }},
        {"more_bindings_than_bone_names", 6, [](Lines& l) { l[6] = "2", l.insert(l.begin() + 8, "1 0 1 -1 0"); }},
        {"negative_count", 4, [](Lines& l) { l[4] = "-1"; }},
        {"count_not_whole", 8, [](Lines& l) { l[8] = "3.0"; }},
        {"count_past_the_end", 15, [](Lines& l) { l[15] = "6"; }},
        {"count_beyond_memory", 15, [](Lines& l) { l[15] = "2000000000"; }},
        {"coordinate_not_a_number", 10, [](Lines& l) { l[10] = "0.5 x"; }},
        {"blend_weight_not_a_number", 13, [](Lines& l) { l[13] = "3 heavy"; }},
        {"vertex_item_missing", 17, [](Lines& l) { l[17] = "0 0 0 0 0"; }},
        {"lines_missing", 15, [](Lines& l) { l.resize(18); }},
        {"header_missing", 2, [](Lines& l) { l.resize(2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        Lines lines = MeshFileLines(bodyWithBlendVertices());
        c.damage(lines);
        try {
            parsed(lines);
            ADD_FAILURE() << "parsed";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.file(), "mesh.skn");
            EXPECT_EQ(error.offset(), c.line) << error.what();
        }
    }
}

}  // namespace
}  // namespace corvane
