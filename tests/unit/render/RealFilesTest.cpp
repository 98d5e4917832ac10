// The game's own skeleton and body, when the shared folder of samples is
// there: the synthetic fixtures carry the tests proper, this checks that the
// readers and the pose agree with the real thing.
#include "TestPaths.h"
#include "render/SknModel.h"

#include "platform/LanguageModule.h"
#include "platform/TextLines.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

const std::filesystem::path kRealData = CORVANE_REALDATA_DIR;
const std::filesystem::path kAdultSkeleton = kRealData / "adult-skeleton.cmx";
const std::filesystem::path kBody = kRealData / "xskin-b001mafit_01-PELVIS-BODY.skn";
const std::filesystem::path kBodyTexture = kRealData / "B001MAFitlgt_relax.bmp";

bool finite(const TVector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Read from the right lines, every bone hangs below ROOT by names the skeleton has.
void expectOneTree(const std::vector<TSkeleton>& bones) {
    ASSERT_GT(bones.size(), 2u);
    EXPECT_EQ(bones[0].name, "ROOT");
    EXPECT_EQ(bones[0].parent, "NULL");
    for (std::size_t i = 1; i < bones.size(); ++i) {
        const auto parent = std::find_if(bones.begin(), bones.begin() + static_cast<std::ptrdiff_t>(i),
                                         [&](const TSkeleton& b) { return b.name == bones[i].parent; });
        EXPECT_NE(parent, bones.begin() + static_cast<std::ptrdiff_t>(i)) << bones[i].name;
    }
}

TEST(RealFiles, TheChildSkeletonReadsWithItsPropertyBlockFirst) {
    const std::filesystem::path file = kRealData / "child-skeleton.cmx";
    if (!std::filesystem::exists(file)) {
        GTEST_SKIP() << "the game's sample files are not here";
    }
    const ParsedSkeleton skeleton = ParseSkeleton(ReadTextFileLines(file), file.string());
    EXPECT_EQ(skeleton.kind, Child);
    expectOneTree(skeleton.bones);
}

TEST(RealFiles, TheAdultBodyStandsOnTheAdultSkeleton) {
    if (!std::filesystem::exists(kAdultSkeleton) || !std::filesystem::exists(kBody) ||
        !std::filesystem::exists(kBodyTexture)) {
        GTEST_SKIP() << "the game's sample files are not here";
    }
    const ParsedSkeleton skeleton = ParseSkeleton(ReadTextFileLines(kAdultSkeleton), kAdultSkeleton.string());
    EXPECT_EQ(skeleton.kind, Adult);
    expectOneTree(skeleton.bones);
    EXPECT_EQ(skeleton.bones[1].name, "PELVIS");

    TSKNModel model;
    model.meshPath = kBody;
    model.texturePath = kBodyTexture;
    model.skeletonName = "adult-skeleton.cmx";
    model.kind = skeleton.kind;
    model.bones = skeleton.bones;
    test::ScriptedDialogs dialogs;
    const auto loaded = LoadSknModel(model, SkinCatalogue{}, dialogs);
    ASSERT_TRUE(loaded);
    EXPECT_GT(loaded->texture.width, 0);

    // More vertices than texture coordinates: the blend vertices follow the drawn ones.
    const TSKNModel& body = loaded->model;
    ASSERT_GT(body.positions.size(), body.textureCoordinates.size());
    TVector3 lowest{INFINITY, INFINITY, INFINITY}, highest{-INFINITY, -INFINITY, -INFINITY};
    for (const TFace& face : body.faces) {
        for (const std::int32_t corner : face) {
            const auto vertex = static_cast<std::size_t>(corner);
            const TVector3& p = body.positions[vertex];
            ASSERT_TRUE(finite(p) && finite(body.normals[vertex])) << corner;
            lowest = {std::min(lowest.x, p.x), std::min(lowest.y, p.y), std::min(lowest.z, p.z)};
            highest = {std::max(highest.x, p.x), std::max(highest.y, p.y), std::max(highest.z, p.z)};
        }
    }
    // The skeleton stands along x (the preview's view turns it upright), in
    // feet: a body from the toes to the neck is some five feet tall and
    // narrower than that across, arms hanging at its sides.
    EXPECT_GT(highest.x - lowest.x, 4.0f);
    EXPECT_LT(highest.x - lowest.x, 6.5f);
    EXPECT_LT(highest.y - lowest.y, 2.5f);
    EXPECT_LT(highest.z - lowest.z, 3.0f);
}

}  // namespace
}  // namespace corvane
