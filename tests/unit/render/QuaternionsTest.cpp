#include "render/Quaternions.h"

#include "RenderFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

using render_test::expectNear;

void expectEqual(const TQuaternion& actual, const TQuaternion& expected, float tolerance = 0) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

// The Hamilton product is not commutative: i·j = k but j·i = −k, and a mixed
// product checks every term of the formulas (a sign or a swapped factor shows).
TEST(Quaternions, MultiplyIsTheHamiltonProduct) {
    const TQuaternion i{1, 0, 0, 0}, j{0, 1, 0, 0};
    expectEqual(QuatMultiply(i, j), {0, 0, 1, 0});
    expectEqual(QuatMultiply(j, i), {0, 0, -1, 0});
    expectEqual(QuatMultiply({1, 2, 3, 4}, {5, 6, 7, 8}), {24, 48, 48, -6});
    expectEqual(QuatMultiply({5, 6, 7, 8}, {1, 2, 3, 4}), {32, 32, 56, -6});
}

TEST(Quaternions, ConjugateNormAndDivision) {
    expectEqual(QuatConjugate({1, -2, 3, 4}), {-1, 2, -3, 4});
    EXPECT_EQ(QuatNormSquared({1, 2, 3, 4}), 30.0f);

    // Every component is divided by the norm the quaternion had before the
    // call, not by a norm recomputed after the first components changed.
    TQuaternion q{1, 2, 3, 4};
    QuatDivideByNormSquared(q);
    EXPECT_EQ(q.x, 1.0f / 30.0f);
    EXPECT_EQ(q.y, 2.0f / 30.0f);
    EXPECT_EQ(q.z, 3.0f / 30.0f);
    EXPECT_EQ(q.w, 4.0f / 30.0f);
}

TEST(Quaternions, InverseIsExactForQuaternionsOfAnyLength) {
    const std::vector<TQuaternion> cases{{0, 0, 0, 1}, {1, 2, 3, 4}, {-0.0262998f, -0.706899f, 0.0262789f, -0.706336f},
                                         {0, 0, 0, 0.001f}, {100, -50, 25, 3}};
    for (const TQuaternion& q : cases) {
        expectEqual(QuatMultiply(q, QuatInverse(q)), {0, 0, 0, 1}, 1e-6f);
        expectEqual(QuatMultiply(QuatInverse(q), q), {0, 0, 0, 1}, 1e-6f);
    }
}

TEST(Quaternions, RotateTurnsAVectorAndKeepsItsLength) {
    TVector3 v{1, 2, 3};
    QuatRotateVector(render_test::quarterTurnAboutZ(), v);
    expectNear(v, {-2, 1, 3});

    TVector3 w{1, 2, 3};
    QuatRotateVector({1, 2, 3, 4}, w);
    EXPECT_NEAR(w.x * w.x + w.y * w.y + w.z * w.z, 14.0f, 1e-4f);
}

// Pose offsets leave a bone's rotation far from unit length; the exact
// inverse makes the length irrelevant.
TEST(Quaternions, ScalingAQuaternionDoesNotChangeItsRotation) {
    const TQuaternion q{0.3f, -0.5f, 0.2f, 0.7f};
    TVector3 reference{0.4f, -1.5f, 2.25f};
    QuatRotateVector(q, reference);
    for (const float factor : {2.0f, -1.0f, 0.125f, 7.5f}) {
        TVector3 v{0.4f, -1.5f, 2.25f};
        QuatRotateVector({q.x * factor, q.y * factor, q.z * factor, q.w * factor}, v);
        expectNear(v, reference);
    }
}

}  // namespace
}  // namespace corvane
