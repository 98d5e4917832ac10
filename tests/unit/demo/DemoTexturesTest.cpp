// The demo's textures are 8-bit, as the game's are: a palette of the
// picture's own colours, reduced only when there are more than 256.

#include "demo/DemoInstallation.h"
#include "demo/DemoTextures.h"
#include "platform/BmpCodec.h"
#include "platform/Progress.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/SkinValidation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <tuple>

namespace corvane {
namespace {

std::size_t colourCount(const Bitmap& picture) {
    std::set<std::tuple<int, int, int>> colours;
    for (const Rgb& colour : picture.pixels) colours.insert({colour.r, colour.g, colour.b});
    return colours.size();
}

TEST(DemoTextures, APictureOfFewColoursKeepsEveryColourInEightBits) {
    const Bitmap drawn[] = {
        BodyTexture({{200, 30, 40}, {250, 250, 250}, {20, 20, 90}, {10, 10, 10}, {90, 60, 20}, kLightSkin, true}),
        HeadTexture({kDarkSkin, {30, 20, 10}, {40, 90, 160}, {170, 60, 70}}),
        HandTexture(kMediumSkin),
        Bitmap(8, 8, {120, 110, 100}),
    };
    for (const Bitmap& picture : drawn) {
        const Bitmap read = LoadBmpWithSizeFix(TextureFileBytes(picture));
        EXPECT_EQ(read.bitDepth, 8);
        EXPECT_EQ(read.palette.size(), colourCount(picture)) << "one entry a colour";
        ASSERT_EQ(read.width, picture.width);
        ASSERT_EQ(read.height, picture.height);
        EXPECT_TRUE(read.pixels == picture.pixels) << "no colour changes";
    }
}

TEST(DemoTextures, APictureOfMoreThan256ColoursIsReducedToNearColours) {
    Bitmap picture(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            picture.set(x, y, {static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                               static_cast<std::uint8_t>(255 - x * 2)});
        }
    }
    ASSERT_GT(colourCount(picture), 256u);
    const Bitmap paletted = PalettedTexture(picture);
    ASSERT_TRUE(paletted.hasIndices());
    EXPECT_LE(paletted.palette.size(), 256u);
    EXPECT_GT(paletted.palette.size(), 64u) << "no more bits dropped than needed";
    int worst = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const Rgb& was = picture.pixels[i];
        const Rgb& is = paletted.pixels[i];
        worst = std::max({worst, std::abs(was.r - is.r), std::abs(was.g - is.g), std::abs(was.b - is.b)});
    }
    EXPECT_LT(worst, 32) << "a shared entry is the average of near colours";
    EXPECT_EQ(LoadBmpWithSizeFix(TextureFileBytes(picture)).bitDepth, 8);
}

TEST(DemoTextures, TheCheckOfAFreshDemoInstallationFindsNothing) {
    test::TempDir folder;
    const std::filesystem::path game = EnsureDemoInstallation(folder.path());
    const SkinFolders folders(game, 7);
    ASSERT_FALSE(folders.ListSkinFiles("*.bmp").empty());
    SkinCatalogue catalogue;
    SilentProgress progress;
    const ValidationResult result = ValidateSkins(folders, catalogue, ScanControl{progress, {}});
    EXPECT_FALSE(result.stopped);
    for (const ProblemRecordDetails& problem : result.problems) {
        ADD_FAILURE() << problem.Kind << ": " << problem.Folder << problem.FileName;
    }
}

}  // namespace
}  // namespace corvane
