#include "skintools/ExportNames.h"

#include "skintools/SkinSeries.h"
#include "unit/skintools/SkinToolFixture.h"

namespace corvane {
namespace {

SkinChoices choices(SkinKind kind, int gender = 0, int age = 0, int bodySize = 1, int skinColor = 1) {
    return {kind, gender, age, bodySize, skinColor, 0, 0};
}

TEST(ExportNames, SkinTypeListFollowsTheExpansionPacks) {
    std::vector<SkinKind> kinds;
    for (const SkinKindItem& item : ExportSkinKinds({5, true, false})) kinds.push_back(item.kind);
    EXPECT_EQ(kinds, (std::vector<SkinKind>{SkinKind::Body, SkinKind::Formal, SkinKind::Winter, SkinKind::Swim,
                                            SkinKind::Pajamas, SkinKind::Nude, SkinKind::Fashion, SkinKind::Dog,
                                            SkinKind::Cat}));
    EXPECT_EQ(ExportSkinKinds({5, true, false})[7].messageId, 6123);
    EXPECT_EQ(ExportSkinKinds({2, false, false}).size(), 5u);
}

TEST(ExportNames, MeshMaskFollowsTheSourceChoices) {
    const struct {
        const char* what;
        SkinChoices source;
        std::string mask;
        int genderAfter;
    } cases[] = {
        {"skinny: any gender", choices(SkinKind::Body, 1, 0, 0), "B****ASkn", 1},
        {"fit female", choices(SkinKind::Body, 1, 0, 1), "B***FAFit", 1},
        {"child", choices(SkinKind::Formal, 0, 1), "F***MCChd", 0},
        {"unisex is for nudes only", choices(SkinKind::Winter, 2), "W***MAFit", 0},
        {"nude", choices(SkinKind::Nude, 2, 0, 2), "NUFat", 2},
        {"dog", choices(SkinKind::Dog), "B***dog", 0},
    };
    for (const auto& c : cases) {
        SkinChoices source = c.source;
        EXPECT_EQ(ExportMeshMask(source, {7, true, false}).mask, c.mask) << c.what;
        EXPECT_EQ(source.gender, c.genderAfter) << c.what;
    }
    SkinChoices dog = choices(SkinKind::Dog);
    const ExportMask forDog = ExportMeshMask(dog, {7, true, false});
    EXPECT_FALSE(forDog.destinationKindEnabled);
    EXPECT_FALSE(forDog.shown.gender || forDog.shown.age || forDog.shown.bodySize || forDog.shown.skinColor);
    SkinChoices child = choices(SkinKind::Body, 0, 1);
    EXPECT_FALSE(ExportMeshMask(child, {7, true, false}).shown.bodySize);
}

TEST(ExportNames, ChoosingAMeshSetsTheTextureMaskAndTheSeries) {
    const ExportTextureChoice body =
        ExportTextureMask(choices(SkinKind::Body), "B001MAFit_01", "Red", {7, true, false});
    EXPECT_EQ(body.mask, "B001MAFitmed*.bmp");
    EXPECT_EQ(body.wanted, "B001MAFitmed_Red.bmp");
    EXPECT_EQ(body.series, "001");
    EXPECT_FALSE(body.destinationKind);
    const ExportTextureChoice nude = ExportTextureMask(choices(SkinKind::Nude, 0, 0, 1, 0), "NMFit_01", "x", {7, true, false});
    EXPECT_EQ(nude.mask, "NMFitlgt*.bmp");
    EXPECT_EQ(nude.series, "000");
    const ExportTextureChoice cat = ExportTextureMask(choices(SkinKind::Cat), " B004cat_tom", "x", {7, true, false});
    EXPECT_EQ(cat.mask, "B004cat*.bmp");
    EXPECT_EQ(cat.destinationKind, SkinKind::Cat);
}

TEST(ExportNames, ChoosingATextureTakesItsOwnPartAsTheName) {
    EXPECT_EQ(ExportNameFromTexture("B001MAFitmed_casual", SkinKind::Body), "casual");
    EXPECT_EQ(ExportNameFromTexture("NMFitmed_beach", SkinKind::Nude), "beach");
    EXPECT_EQ(ExportNameFromTexture("B001dog_rex", SkinKind::Dog), "rex");
    EXPECT_EQ(ExportNameFromTexture("B001MAFit", SkinKind::Body), "");
}

TEST(ExportNames, NewFileNamesFollowTheDestination) {
    SkinChoices female = choices(SkinKind::Body, 1, 0, 2, 0);
    const ExportFileNames red = ExportNames(female, "001", "Red", {7, true, false});
    EXPECT_EQ(red.characterFile, "B001FAFat_Red.cmx");
    EXPECT_EQ(red.textureFile, "B001FAFatlgt_Red.bmp");

    // Nudes are numbered from level 5 on and take no name.
    SkinChoices nude = choices(SkinKind::Nude, 0, 0, 1, 1);
    const ExportFileNames numbered = ExportNames(nude, "000", "Red", {5, true, false});
    EXPECT_EQ(numbered.characterFile, "NMFit_01.cmx");
    EXPECT_EQ(numbered.textureFile, "NMFitmed_01.bmp");
    EXPECT_FALSE(numbered.shown.name);
    const ExportFileNames named = ExportNames(nude, "000", "Red", {4, false, false});
    EXPECT_EQ(named.characterFile, "NMFit_Red.cmx");
    EXPECT_EQ(named.textureFile, "NMFitmed_Red.bmp");
    EXPECT_TRUE(named.shown.name);

    SkinChoices dog = choices(SkinKind::Dog);
    const ExportFileNames rex = ExportNames(dog, "3", "Rex", {7, true, false});
    EXPECT_EQ(rex.series, "003");
    EXPECT_EQ(rex.characterFile, "B003dog_Rex.cmx");
    EXPECT_EQ(rex.textureFile, "B003dog_Rex.bmp");
    EXPECT_FALSE(rex.shown.gender);

    SkinChoices child = choices(SkinKind::Swim, 2, 1);
    const ExportFileNames swim = ExportNames(child, "12", "Sun", {7, true, false});
    EXPECT_EQ(child.gender, 0);
    EXPECT_EQ(swim.characterFile, "S012MCChd_Sun.cmx");
    EXPECT_FALSE(swim.shown.bodySize);
}

TEST(SkinSeries, NonDigitsBecomeZeroAndTheNumberGetsThreeDigits) {
    EXPECT_EQ(SeriesDigitsOnly("1a"), "10");
    EXPECT_EQ(SeriesDigitsOnly("x"), "0");
    EXPECT_EQ(SeriesNumber("10"), "010");
    EXPECT_EQ(SeriesNumber("7"), "007");
    EXPECT_EQ(SeriesNumber("x"), "000");
    EXPECT_EQ(SeriesNumber(""), "000");
    EXPECT_EQ(SeriesNumber("0042"), "042");
    EXPECT_EQ(SeriesNumber("1234"), "1234");
}

class ExportListTest : public test::SkinToolTest {};

TEST_F(ExportListTest, SkinnyListsMeshesOfEveryGender) {
    for (const char* name : {"B001MASkn_a", "B002FASkn_b", "B003UASkn_c", "B004MAFit_d", "B005MCSkn_e"}) suit(name);
    const SkinFolders skinFolders = folders();
    const SkinSources sources{skinFolders, builtCatalogue()};
    std::mt19937 random(1);
    SkinChoices skinny = choices(SkinKind::Body, 0, 0, 0);
    const SkinList list = ExportMeshList(sources, ExportMeshMask(skinny, {kLevel, false, false}), "x", random, nullptr);
    EXPECT_EQ(list.entries, (std::vector<std::string>{"B001MASkn_a", "B002FASkn_b", "B003UASkn_c"}));
}

TEST_F(ExportListTest, TexturesFollowThePagesGenderAndColourAndOldChildPajamas) {
    for (const char* name : {"B001MAFitlgt_Blue", "B001MAFitlgt_Red", "B001MAFitdrk_b", "B001FAFitlgt_c"}) {
        game.writeText(std::string("GameData\\Skins\\") + name + ".bmp", "BM");
    }
    const SkinFolders skinFolders = folders();
    const SkinSources sources{skinFolders, builtCatalogue()};
    const SkinChoices light = choices(SkinKind::Body, 0, 0, 1, 0);
    const ExportTextureChoice choice = ExportTextureMask(light, "B001MAFit_01", "Red", {kLevel, false, false});
    const SkinList list = ExportTextureList(sources, choice, light, {kLevel, false, false});
    EXPECT_EQ(list.entries, (std::vector<std::string>{"B001MAFitlgt_Blue", "B001MAFitlgt_Red"}));
    EXPECT_EQ(list.selected, 1);

    const SkinChoices girl = choices(SkinKind::Pajamas, 1, 1, 1, 2);
    const ExportTextureChoice pajamas = ExportTextureMask(girl, "L001FCChd_01", "x", {3, false, false});
    EXPECT_EQ(ExportTextureList(sources, pajamas, girl, {3, false, false}).entries,
              std::vector<std::string>{"PajamaFdrk_01"});
    EXPECT_TRUE(ExportTextureList(sources, pajamas, girl, {4, false, false}).entries.empty());
}

}  // namespace
}  // namespace corvane
