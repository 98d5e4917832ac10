// The game's own files, when the shared folder of samples is there: an extra
// check of the readers against the real thing (the synthetic fixtures carry
// the tests proper).
#include "skins/CharacterFileCheck.h"
#include "skins/TextLines.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::filesystem::path kRealData = CORVANE_REALDATA_DIR;

TEST(RealFiles, TheGamesBodyCharacterFilePassesTheCheck) {
    if (!std::filesystem::exists(kRealData / "B001MAFit_01.cmx")) {
        GTEST_SKIP() << "the game's sample files are not here";
    }
    KnownMeshes meshes({kRealData / "xskin-b001mafit_01-PELVIS-BODY.skn"}, {});
    EXPECT_TRUE(CheckCharacterFile(kRealData / "B001MAFit_01.cmx", CheckMode::Validation, meshes, nullptr, nullptr));
    KnownMeshes none({}, {});
    ProblemList problems;
    CheckCharacterFile(kRealData / "B001MAFit_01.cmx", CheckMode::Validation, none, nullptr, &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Kind, "MissingSKN");
}

TEST(RealFiles, TheAdultSkeletonHasItsFixedBlockSizes) {
    if (!std::filesystem::exists(kRealData / "adult-skeleton.cmx")) {
        GTEST_SKIP() << "the game's sample files are not here";
    }
    auto lines = ReadTextFileLines(kRealData / "adult-skeleton.cmx");
    ASSERT_GT(lines.size(), 20u);
    EXPECT_EQ(lines[3], "adult");
    EXPECT_EQ(lines[4], "29");
    // The first bone has 10 lines, the second (PELVIS) 13 with its property.
    EXPECT_EQ(lines[5], "ROOT");
    EXPECT_EQ(lines[15], "PELVIS");
    EXPECT_EQ(lines[28], "L_LEG");
    EXPECT_EQ(lines.size(), 5u + 10u + 13u + 27u * 10u + 2u);
}

}  // namespace
}  // namespace corvane
