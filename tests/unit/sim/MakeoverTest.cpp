#include "sim/Makeover.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "sim/HouseJob.h"
#include "sim/SimFields.h"
#include "skins/FolderListingCache.h"
#include "skins/MeshCheckCache.h"
#include "skins/SkinCatalogueBuilder.h"
#include "platform/Progress.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

using Names = std::vector<std::string>;

const std::string kMesh = "xskin-known-PELVIS-BODY";

// A game whose loose skins are named by each test; one adult man (light,
// fit) dressed in skins none of which the game has, so every new name shows.
class MakeoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        SharedMeshChecks().clear();
        SharedFolderListings().clear();
        auto man = std::make_unique<Sim>();
        man->FileName = "User00001";
        man->AgeGroup = "adult";
        man->Age = 27;
        man->SkinAge = 27;
        man->BodySize = "fit";
        man->SkinColor = 1;
        man->SkinTone = "lgt";
        man->Career = 3;
        for (const SimField& field : SimFieldTable()) {
            const auto* text = std::get_if<std::string Sim::*>(&field.member);
            if (text != nullptr && (field.name.ends_with("Mesh") || field.name.ends_with("Texture"))) {
                man.get()->**text = "old";
            }
        }
        std::vector<std::unique_ptr<Sim>> characters;
        characters.push_back(std::move(man));
        document.open(std::move(characters), {std::nullopt}, nullptr);
        document.select(0);
        document.seedRandom(7);
    }

    // Loose character files (all hanging one mesh on the pelvis) and textures;
    // only their names matter here.
    void skins(const Names& names) {
        const std::string skinFolder = "GameData\\Skins\\";
        game.writeText(skinFolder + kMesh + ".skn", "");
        for (const std::string& name : names) {
            const std::string stem = name.substr(0, name.size() - 4);
            game.writeText(skinFolder + name,
                           name.ends_with(".cmx") ? JoinCrLf(CharacterFileLines(SampleSuit(stem, "PELVIS", kMesh))) : "BM");
        }
        SharedFolderListings().clear();
        SilentProgress quiet;
        LoadSkinData(catalogue, folders, quiet);
    }
    MakeoverSkins sources() { return {{folders, catalogue}, nullptr}; }
    Sim& sim() { return *document.current(); }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    SkinFolders folders{(game.installation(7), game.root()), 7};
    SkinCatalogue catalogue;
    Document document{7};
};

TEST(MakeoverLetters, FollowTheSkinAgeGenderSizeAndColour) {
    struct Case {
        int skinAge, gender, skinColor;
        const char* body;
        char age, genderLetter, hand;
        const char* tone;
    };
    const Case cases[] = {
        {27, 0, 1, "fit", 'a', 'm', 'm', "lgt"},
        {27, 1, 2, "fat", 'a', 'f', 'f', "drk"},
        {9, 0, 3, "chd", 'c', 'm', 'u', "med"},
        {9, 1, 1, "chd", 'c', 'f', 'u', "lgt"},
        {8, 1, 1, "chd", 'c', 'f', 'f', "lgt"},   // "u" only at exactly 9
        {10, 0, 1, "tnr", 'a', 'm', 'm', "lgt"},  // 10 is an adult's skin age
    };
    for (const Case& c : cases) {
        Sim sim;
        sim.SkinAge = c.skinAge;
        sim.Gender = c.gender;
        sim.SkinColor = c.skinColor;
        sim.BodySize = c.body;
        const MakeoverLetters letters = LettersOf(sim);
        EXPECT_EQ(letters.age, c.age) << c.skinAge;
        EXPECT_EQ(letters.gender, c.genderLetter) << c.gender;
        EXPECT_EQ(letters.handGender, c.hand) << c.skinAge;
        EXPECT_EQ(letters.body, c.body);
        EXPECT_EQ(letters.tone, c.tone) << c.skinColor;
    }
}

TEST_F(MakeoverTest, ADarkSkinnedWomanGetsMatchingSkinsInEverySlotAndNamedHands) {
    skins({"c001fa_ann.cmx", "c001fadrk_ann.bmp", "c001falgt_ann.bmp", "c001ma_bob.cmx", "c001madrk_bob.bmp",
           "b001fafit_01.cmx", "b001fafitdrk_casual.bmp", "b001fafitlgt_casual.bmp", "b001mafit_01.cmx",
           "f001fafit_01.cmx", "f001fafitdrk_gown.bmp", "s001fafit_01.cmx", "s001fafitlgt_suit.bmp",
           "nffit_01.cmx"});
    SetGender(document, sim(), true, sources());
    SetSkinColor(document, sim(), 2, sources());
    const Sim& woman = sim();
    EXPECT_EQ(woman.Gender, 1);
    EXPECT_EQ(woman.SkinTone, "drk");
    EXPECT_EQ(woman.HeadMesh, "c001fa_ann");
    EXPECT_EQ(woman.HeadTexture, "c001fadrk_ann");
    EXPECT_EQ(woman.BodyMesh, "b001fafit_01");
    EXPECT_EQ(woman.BodyTexture, "b001fafitdrk_casual");
    EXPECT_EQ(woman.FormalMesh, "f001fafit_01");
    EXPECT_EQ(woman.FormalTexture, "f001fafitdrk_gown");
    EXPECT_EQ(woman.SwimMesh, "") << "a swimsuit only in another tone is no swimsuit for her";
    EXPECT_EQ(woman.SwimTexture, "");
    EXPECT_EQ(woman.WinterMesh, "") << "none installed";
    EXPECT_EQ(woman.NudeMesh, "nffit_01");
    EXPECT_EQ(woman.NudeTexture, "nffitdrk_01") << "named after the mesh, not looked for";
    const Names hands{woman.FormalLHandMesh, woman.FormalRHandMesh, woman.OpenLHandMesh, woman.OpenRHandMesh,
                      woman.PointingLHandMesh, woman.PointingRHandMesh, woman.CloseLHandMesh, woman.CloseRHandMesh,
                      woman.FormalLHandTexture, woman.OpenRHandTexture, woman.PointingLHandTexture,
                      woman.CloseRHandTexture};
    EXPECT_EQ(hands, (Names{"hflo", "hfro", "hflo", "hfro", "hflp", "hfrp", "hflc", "hfrc", "huaodrk", "huaodrk",
                            "huapdrk", "huacdrk"}));
    EXPECT_TRUE(woman.ResetThumbnail);
    EXPECT_TRUE(woman.Modified);
}

// A head mesh whose textures are all of another tone is drawn again and again;
// when no attempt finds one, the character has no head rather than a wrong one.
TEST_F(MakeoverTest, NoHeadTextureInAnyAttemptLeavesBothHeadFieldsEmpty) {
    skins({"c001ma_bob.cmx", "c002ma_tom.cmx", "c001malgt_bob.bmp", "c002malgt_tom.bmp", "b001mafit_01.cmx",
           "b001mafitmed_casual.bmp"});
    SetSkinColor(document, sim(), 3, sources());
    EXPECT_EQ(sim().HeadMesh, "");
    EXPECT_EQ(sim().HeadTexture, "");
    EXPECT_TRUE(sim().ResetThumbnail);
    EXPECT_EQ(sim().BodyTexture, "b001mafitmed_casual");
}

TEST_F(MakeoverTest, BodySizeKeepsTheHeadAndSkinColourRenewsIt) {
    skins({"c001ma_bob.cmx", "c001malgt_bob.bmp", "c001madrk_bob.bmp", "b001mafat_01.cmx", "b001mafatlgt_x.bmp",
           "b001mafatdrk_x.bmp"});
    SetBodySize(document, sim(), "fat", sources());
    EXPECT_EQ(sim().HeadMesh, "old") << "the head stays";
    EXPECT_EQ(sim().HeadTexture, "old");
    EXPECT_FALSE(sim().ResetThumbnail);
    EXPECT_EQ(sim().BodyMesh, "b001mafat_01");
    EXPECT_EQ(sim().BodyTexture, "b001mafatlgt_x");
    SetSkinColor(document, sim(), 2, sources());
    EXPECT_EQ(sim().HeadTexture, "c001madrk_bob");
    EXPECT_EQ(sim().BodyTexture, "b001mafatdrk_x");
    EXPECT_TRUE(sim().ResetThumbnail);
    EXPECT_THROW(SetBodySize(document, sim(), "big", sources()), EditError);
}

TEST_F(MakeoverTest, AChildWearsChildrensSkinsOrAdultSkinsWhenItsSkinAgeSaysSo) {
    skins({"c001mc_tim.cmx", "c001mclgt_tim.bmp", "b001mcchd_01.cmx", "b001mcchdlgt_x.bmp", "b001machd_01.cmx",
           "b001machdlgt_y.bmp", "c001ma_bob.cmx", "c001malgt_bob.bmp"});
    MakeChild(document, sim(), std::nullopt, sources());
    EXPECT_EQ(sim().Age, 9);
    EXPECT_EQ(sim().SkinAge, 9);
    EXPECT_EQ(sim().AgeGroup, "child");
    EXPECT_EQ(sim().BodySize, "chd");
    EXPECT_EQ(sim().Career, kSchoolCareer);
    EXPECT_LE(sim().JobLevel, 8);
    EXPECT_EQ(sim().HeadMesh, "c001mc_tim");
    EXPECT_EQ(sim().BodyTexture, "b001mcchdlgt_x");
    EXPECT_EQ(sim().OpenLHandMesh, "hulo") << "children's hands are the same for both genders";

    MakeChild(document, sim(), SkinAgeChoice::Adult, sources());
    EXPECT_EQ(sim().Age, 9);
    EXPECT_EQ(sim().SkinAge, 27);
    EXPECT_EQ(sim().HeadMesh, "c001ma_bob") << "the adult age letter";
    EXPECT_EQ(sim().BodyTexture, "b001machdlgt_y");
    EXPECT_EQ(sim().OpenLHandMesh, "hmlo") << "its own gender letter";
}

// The House/Job page lists 11, 16 or 21 careers by level; career 11 does not exist.
TEST_F(MakeoverTest, ANewAdultsCareerIsOneThePageOffersAndEveryOfferedOneCanBeDrawn) {
    for (const int level : {0, 4, 7}) {
        document.setExpansionLevel(level);
        std::set<int> drawn;
        for (int i = 0; i < 300; ++i) {
            MakeAdult(document, sim(), std::nullopt, sources());
            drawn.insert(sim().Career);
            EXPECT_LE(sim().JobLevel, 8);
            EXPECT_TRUE(sim().BodySize == "skn" || sim().BodySize == "fit" || sim().BodySize == "fat");
        }
        EXPECT_FALSE(drawn.contains(11)) << level;
        EXPECT_EQ(static_cast<int>(drawn.size()), OfferedCareers(27, level)) << level;
        EXPECT_LT(IndexForCareer(*drawn.rbegin()), OfferedCareers(27, level)) << level;
    }
    EXPECT_EQ(sim().Age, 27);
    EXPECT_EQ(sim().AgeGroup, "adult");
}

TEST_F(MakeoverTest, APetsGenderChangesWithoutTouchingItsCoat) {
    for (const auto& [group, male] : {std::pair{"dog", 2}, std::pair{"kat", 4}}) {
        sim().AgeGroup = group;
        sim().Modified = false;
        const Sim before = sim();
        SetGender(document, sim(), true, sources());
        EXPECT_EQ(sim().Gender, male + 1);
        EXPECT_TRUE(sim().Modified);
        EXPECT_EQ(sim().BodyMesh, before.BodyMesh);
        EXPECT_EQ(sim().BodyTexture, before.BodyTexture);
        EXPECT_FALSE(sim().ResetThumbnail);
        SetGender(document, sim(), false, sources());
        EXPECT_EQ(sim().Gender, male);
        EXPECT_THROW(SetSkinColor(document, sim(), 2, sources()), EditError) << "a coat has no skin colour";
        EXPECT_THROW(MakeChild(document, sim(), std::nullopt, sources()), EditError);
    }
}

TEST_F(MakeoverTest, UndoPutsEverySkinBackAndRedoTheSameMakeover) {
    skins({"c001fa_ann.cmx", "c001falgt_ann.bmp", "b001fafit_01.cmx", "b001fafitlgt_casual.bmp"});
    const Sim before = sim();
    SetGender(document, sim(), true, sources());
    const Sim after = sim();
    ASSERT_EQ(after.HeadMesh, "c001fa_ann");
    ASSERT_TRUE(document.undo());
    for (const SimField& field : SimFieldTable()) {
        if (const auto* text = std::get_if<std::string Sim::*>(&field.member)) {
            EXPECT_EQ(sim().**text, before.**text) << field.name;
        }
    }
    EXPECT_FALSE(sim().ResetThumbnail);
    ASSERT_TRUE(document.redo());
    EXPECT_EQ(sim().HeadMesh, after.HeadMesh);
    EXPECT_EQ(sim().OpenLHandMesh, "hflo");
}

// The same seed chooses the same skins: a makeover can be repeated.
TEST_F(MakeoverTest, TheDocumentsSeedRepeatsTheChoice) {
    skins({"b001mafat_01.cmx", "b002mafat_01.cmx", "b003mafat_01.cmx", "b001mafatlgt_a.bmp", "b002mafatlgt_a.bmp",
           "b003mafatlgt_a.bmp"});
    Names chosen;
    for (int run = 0; run < 2; ++run) {
        for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
            document.seedRandom(seed);
            SetBodySize(document, sim(), "fat", sources());
            if (run == 0) chosen.push_back(sim().BodyMesh);
            else EXPECT_EQ(sim().BodyMesh, chosen[seed - 1]) << seed;
        }
    }
    EXPECT_GT(std::set<std::string>(chosen.begin(), chosen.end()).size(), 1u) << "the seed matters";
}

}  // namespace
}  // namespace corvane
