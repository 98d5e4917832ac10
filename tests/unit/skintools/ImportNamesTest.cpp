#include "skintools/ImportNames.h"

#include "unit/skintools/SkinToolFixture.h"

namespace corvane {
namespace {

SkinChoices choices(SkinKind kind, int gender = 0, int age = 0, int bodySize = 1, int skinColor = 1, int hand = 0,
                    int handType = 0) {
    return {kind, gender, age, bodySize, skinColor, hand, handType};
}

TEST(ImportNames, SkinTypeListFollowsTheExpansionPacks) {
    const auto kinds = [](int level, bool pets) {
        std::vector<SkinKind> found;
        for (const SkinKindItem& item : ImportSkinKinds({level, pets, false})) found.push_back(item.kind);
        return found;
    };
    const std::vector<SkinKind> base = {SkinKind::Head, SkinKind::Hands,  SkinKind::Body,   SkinKind::Formal,
                                        SkinKind::Winter, SkinKind::Swim, SkinKind::Pajamas};
    EXPECT_EQ(kinds(2, false), base);
    std::vector<SkinKind> level3 = base;
    level3.push_back(SkinKind::Nude);
    EXPECT_EQ(kinds(3, false), level3);
    const std::vector<SkinKind> all = kinds(5, true);
    ASSERT_EQ(all.size(), 11u);
    EXPECT_EQ(all[8], SkinKind::Fashion);
    EXPECT_EQ(all[9], SkinKind::Dog);
    EXPECT_EQ(all[10], SkinKind::Cat);
    EXPECT_EQ(ImportSkinKinds({5, true, false})[9].messageId, 6119);
}

TEST(ImportNames, ListsOfferTeenOnlyWithTheSwitchAndUnisexOnlyOnRequest) {
    EXPECT_EQ(BodySizeItems(false).size(), 3u);
    ASSERT_EQ(BodySizeItems(true).size(), 4u);
    EXPECT_EQ(BodySizeItems(true)[3].text(), "Teen");
    EXPECT_EQ(GenderItems(2).size(), 2u);
    EXPECT_EQ(GenderItems(3)[2].messageId, 6121);
    EXPECT_EQ(HandTypeItems()[3].messageId, 6057);
}

TEST(ImportNames, MaskAndTextureNameFollowTheChoices) {
    const SkinCodes nobody;
    const struct {
        const char* what;
        SkinChoices choices;
        SkinToolSettings settings;
        std::string mask;
        std::string mesh;
        std::string texture;
    } cases[] = {
        {"body", choices(SkinKind::Body), {7, true, false}, "B***MAFit", "B001MAFit_x", "B001MAFitmed_Red.bmp"},
        {"child body hides the size", choices(SkinKind::Body, 1, 1), {7, true, false}, "B***FCChd", "B002FCChd_y",
         "B002FCChdmed_Red.bmp"},
        {"head", choices(SkinKind::Head, 1, 1, 1, 0), {7, true, false}, "C***FC", "C002FC_bob", "C002FClgt_Red.bmp"},
        {"hands", choices(SkinKind::Hands, 1, 0, 1, 0, 1, 2), {7, true, false}, "HFRP", "HFRP", "HFAPlgt_Red.bmp"},
        {"formal hands take the open letter", choices(SkinKind::Hands, 0, 0, 1, 1, 0, 3), {7, true, false}, "HMLO",
         "HMLO", "HMAOmed_Red.bmp"},
        {"unisex hands", choices(SkinKind::Hands, 2), {7, true, false}, "HULO", "HULO", "HUAOmed_Red.bmp"},
        {"nude at level 4", choices(SkinKind::Nude, 2, 0, 2), {4, false, false}, "NUFat", "NUFat_01",
         "NUFatmed_Red.bmp"},
        {"teen with /teens", choices(SkinKind::Body, 0, 0, 3), {7, true, true}, "B***MATnr", "B003MATnr_z",
         "B003MATnrmed_Red.bmp"},
        {"unisex selected for a body", choices(SkinKind::Body, 2), {7, true, false}, "B***MAFit", "B001MAFit_x",
         "B001MAFitmed_Red.bmp"},
        {"fashion", choices(SkinKind::Fashion), {7, true, false}, "H***MAFit", "H004MAFit_x", "H004MAFitmed_Red.bmp"},
        {"dog", choices(SkinKind::Dog), {7, true, false}, "B***dog_", "B005dog_rex", "B005dog_Red.bmp"},
        {"cat", choices(SkinKind::Cat), {7, true, false}, "B***cat_", "B006cat_tom", "B006cat_Red.bmp"},
    };
    for (const auto& c : cases) {
        SkinChoices chosen = c.choices;
        const ImportMask mask = ImportMeshMask(chosen, c.settings, nobody);
        EXPECT_EQ(mask.mask, c.mask) << c.what;
        const ImportedTextureName name = ImportTextureName(chosen, c.settings, nobody, c.mesh, "Red");
        EXPECT_EQ(name.fileName, c.texture) << c.what;
        EXPECT_TRUE(name.nameShown) << c.what;
    }
}

TEST(ImportNames, ShownListsFollowTheKind) {
    const SkinCodes nobody;
    SkinChoices hands = choices(SkinKind::Hands, 2);
    const ShownLists forHands = ImportMeshMask(hands, {7, true, false}, nobody).shown;
    EXPECT_EQ(forHands.genderItems, 3);
    EXPECT_TRUE(forHands.hands);
    EXPECT_FALSE(forHands.age);
    EXPECT_FALSE(forHands.bodySize);
    EXPECT_EQ(hands.gender, 2);

    SkinChoices head = choices(SkinKind::Head, 2);
    const ShownLists forHead = ImportMeshMask(head, {7, true, false}, nobody).shown;
    EXPECT_EQ(head.gender, 0) << "the third gender item is gone for heads";
    EXPECT_FALSE(forHead.bodySize);
    EXPECT_TRUE(forHead.age);
    EXPECT_FALSE(forHead.hands);

    SkinChoices dog = choices(SkinKind::Dog);
    const ShownLists forDog = ImportMeshMask(dog, {7, true, false}, nobody).shown;
    EXPECT_FALSE(forDog.gender || forDog.age || forDog.bodySize || forDog.skinColor || forDog.hands);
}

TEST(ImportNames, OlderPajamasAndNudesAreNamedAfterTheCharacter) {
    SkinCodes girl;
    girl.SkinAge = 8;
    girl.Gender = 1;
    girl.BodySize = "chd";
    girl.SkinColor = 1;
    girl.BodyTexture = "B001FCChdlgt_flowers";
    SkinChoices pajamas = choices(SkinKind::Pajamas, 1, 1);
    EXPECT_EQ(ImportMeshMask(pajamas, {3, false, false}, girl).mask, "pjsfchd_01.cmx");
    const ImportedTextureName pajama = ImportTextureName(pajamas, {3, false, false}, girl, "pjsfchd_01", "Red");
    EXPECT_EQ(pajama.fileName, "Pajamaflgt_flowers.bmp");
    EXPECT_FALSE(pajama.nameShown);
    EXPECT_FALSE(pajama.choiceListsShown);
    // From level 4 a child's pajamas are sleepwear of its own.
    EXPECT_EQ(ImportMeshMask(pajamas, {4, false, false}, girl).mask, "L***FCChd");

    SkinCodes man;
    man.Gender = 0;
    man.BodySize = "fit";
    man.SkinColor = 3;
    man.BodyTexture = "B001MAFitmed_casual";
    SkinChoices nude = choices(SkinKind::Nude);
    EXPECT_EQ(ImportMeshMask(nude, {5, true, false}, man).mask, "nmfit_01");
    EXPECT_EQ(ImportTextureName(nude, {5, true, false}, man, "nmfit_01", "Red").fileName, "nmfitmed_casual.bmp");
    man.BodySize = "skn";
    EXPECT_EQ(ImportMeshMask(nude, {2, false, false}, man).mask, "nuskn_01");
    EXPECT_EQ(ImportMeshMask(nude, {5, true, false}, girl).mask, "nuchd_01");
}

TEST(ImportNames, ListingMaskAddsTheWildcardUnlessTheFileIsNamed) {
    EXPECT_EQ(ImportListingMask("B***MAFit"), "B***MAFit*.cmx");
    EXPECT_EQ(ImportListingMask("nuchd_01"), "nuchd_01*.cmx");
    EXPECT_EQ(ImportListingMask("pjsfchd_01.cmx"), "pjsfchd_01.cmx");
}

class ImportMeshListTest : public test::SkinToolTest {};

TEST_F(ImportMeshListTest, ListsTheFittingCharacterFilesAndSelectsTheNamedOne) {
    suit("B001MAFit_01");
    suit("B002MAFit_Red");
    suit("B003FAFit_01");
    suit("HMLO");
    suit("HMRO");
    const SkinFolders skinFolders = folders();
    const SkinSources sources{skinFolders, builtCatalogue()};
    std::mt19937 random(1);
    SkinChoices body = choices(SkinKind::Body);
    const ImportMask bodyMask = ImportMeshMask(body, {kLevel, false, false}, {});
    const SkinList bodies = ImportMeshList(sources, bodyMask, SkinKind::Body, "Red", random, nullptr);
    EXPECT_EQ(bodies.entries, (std::vector<std::string>{"B001MAFit_01", "B002MAFit_Red"}));
    SkinChoices hand = choices(SkinKind::Hands, 0, 0, 1, 1, 1);
    const ImportMask handMask = ImportMeshMask(hand, {kLevel, false, false}, {});
    const SkinList hands = ImportMeshList(sources, handMask, SkinKind::Hands, "Red", random, nullptr);
    EXPECT_EQ(hands.entries, (std::vector<std::string>{"HMRO"}));
    EXPECT_EQ(hands.selected, 0);
}

}  // namespace
}  // namespace corvane
