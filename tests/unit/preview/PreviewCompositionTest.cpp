#include "render/PreviewComposition.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/BmpCodec.h"
#include "platform/LanguageModule.h"
#include "support/ScriptedDialogs.h"
#include "support/EmptyCatalogue.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(PreviewSlots, OutfitPagesDressTheBodyAndTheHandsPageItsHands) {
    Sim sim;
    sim.BodyMesh = "body";
    sim.HeadMesh = "head";
    sim.OpenRHandMesh = "openR";
    sim.PajamaMesh = "pj";
    sim.PajamaTexture = "pjtex";
    sim.FormalMesh = "suit";
    sim.FormalRHandMesh = "gloveR";
    sim.CloseRHandMesh = "fistR";
    const SkinSlots pajamas = SlotsForOutfit(sim, Outfit::Pajamas);
    EXPECT_EQ(pajamas[kBodySlot].mesh, "pj");
    EXPECT_EQ(pajamas[kBodySlot].texture, "pjtex");
    EXPECT_EQ(pajamas[kHeadSlot].mesh, "head");
    EXPECT_EQ(pajamas[kRightHandSlot].mesh, "openR");
    EXPECT_EQ(SlotsForOutfit(sim, Outfit::Everyday)[kBodySlot].mesh, "body");
    EXPECT_EQ(SlotsForOutfit(sim, Outfit::Hands, {.open = false, .closed = true})[kRightHandSlot].mesh, "fistR");
    const SkinSlots formalHands = SlotsForOutfit(sim, Outfit::Hands, {.formal = true});
    EXPECT_EQ(formalHands[kRightHandSlot].mesh, "gloveR");
    EXPECT_EQ(formalHands[kBodySlot].mesh, "suit");
}

class PreviewMeshes : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("5022\tCorvane 3D\n7154\tlacks its texture:\n", "t.lng"));
        game.installation(7);
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    void mesh(const std::string& name, const std::string& defaultTexture) {
        game.writeText("GameData\\Skins\\" + name + ".skn", JoinCrLf(MeshFileLines(SampleBodyMesh(name, defaultTexture))));
    }
    void texture(const std::string& name) {
        game.writeFile("GameData\\Skins\\" + name + ".bmp", EncodeBmp24(Bitmap(2, 2)));
    }
    void suit(const std::string& name, const std::vector<std::string>& lines) {
        game.writeText("GameData\\Skins\\" + name + ".cmx", JoinCrLf(lines));
    }
    std::vector<PreviewMesh> collect(const SkinSlots& slots) {
        return CollectPreviewMeshes(slots, SkinFolders(game.root(), 7), catalogue, dialogs);
    }

    test::TempDir dir;
    GameBuilder game{dir.path() / "game"};
    SkinCatalogue catalogue = test::EmptyCatalogue();
    test::ScriptedDialogs dialogs;
};

TEST_F(PreviewMeshes, TheSlotsTextureForItsOwnPartTheMeshsDefaultForOthers) {
    mesh("xskin-b001mafit_01-PELVIS-BODY", "plain");
    mesh("xskin-b001mafit_01-HEAD-HAT", "hatcloth");
    texture("B001MAFitlgt_casual");
    texture("hatcloth");
    suit("b001mafit_01", {"// Character File", "version 300", "0", "1", "b001mafit_01", "0", "0", "2",
                          "xskin-early-PELVIS-BODY",  // before any bone line: not a mesh
                          "PELVIS", "xskin-b001mafit_01-PELVIS-BODY", "0", "0",
                          "HEAD", "xskin-b001mafit_01-HEAD-HAT", "0", "0", "xskill", "PELVIS", "xskin-after-skill"});
    SkinSlots slots;
    slots[kBodySlot] = {"b001mafit_01", "b001mafitlgt_casual"};
    const auto meshes = collect(slots);
    ASSERT_EQ(meshes.size(), 2u);
    EXPECT_EQ(std::filesystem::path(meshes[0].meshPath).filename(), "xskin-b001mafit_01-PELVIS-BODY.skn");
    EXPECT_EQ(std::filesystem::path(meshes[0].texturePath).filename(), "B001MAFitlgt_casual.bmp")
        << "the file as it lies on disk, found ignoring letter case";
    EXPECT_EQ(std::filesystem::path(meshes[1].texturePath).filename(), "hatcloth.bmp");
    EXPECT_TRUE(dialogs.messageTexts().empty());
}

TEST_F(PreviewMeshes, ArchivedTexturesAreMarkedAndMissingOnesSaidAndLeftOut) {
    mesh("xskin-c001-HEAD-HEAD", "unused");
    mesh("xskin-hmro-R_HAND-HANDMR", "nohandtexture");
    suit("c001", {"c001", "HEAD", "xskin-c001-HEAD-HEAD"});
    suit("hmro", {"hmro", "R_HAND", "xskin-hmro-R_HAND-HANDMR"});
    catalogue.ArchiveTextureEntries->push_back({0, 0, 0, {}, "C001LGT_FACE.BMP"});
    SkinSlots slots;
    slots[kHeadSlot] = {"c001", "c001lgt_face"};
    slots[kRightHandSlot] = {"hmro", ""};
    dialogs.answer(mrOk);
    const auto meshes = collect(slots);
    ASSERT_EQ(meshes.size(), 1u);
    EXPECT_EQ(meshes[0].texturePath, "c001lgt_face.far");
    EXPECT_EQ(dialogs.messageTexts(),
              std::vector<std::string>{"xskin-hmro-R_HAND-HANDMR lacks its texture: nohandtexture.bmp"});
}

TEST(PreviewSkeleton, ByAgeGroup) {
    Sim sim;
    for (const auto& [group, file] : std::vector<std::pair<std::string, std::string>>{
             {"adult", "adult-skeleton.cmx"}, {"child", "child-skeleton.cmx"}, {"dog", "dog_skeleton.cmx"},
             {"kat", "kat_skeleton.cmx"}, {"", ""}}) {
        sim.AgeGroup = group;
        EXPECT_EQ(SkeletonFileFor(sim), file);
    }
}

}  // namespace
}  // namespace corvane
