#include "render/PreviewModelLoading.h"

#include "RenderFixtures.h"
#include "demo/GameBuilder.h"
#include "platform/BmpCodec.h"
#include "platform/LanguageModule.h"
#include "platform/Progress.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using render_test::boneOf;
using render_test::kIdentity;

// An adult of two meshes on a loose skeleton, every file in the skin folder;
// each case damages or removes one file. What is left out is named with the
// file and the cause, so the user can find it.
class PreviewModelLoadingTest : public ::testing::Test {
public:  // the cases' damage functions reach the files
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("5010\tOK\n5022\tCorvane 3D\n", "t.lng"));
        game.installation(0);
        const Skeleton skeleton = render_test::skeletonOf(
            "adult", {boneOf("ROOT", "NULL", {0, 0, 0}, kIdentity), boneOf("PELVIS", "ROOT", {0, 1, 0}, kIdentity)});
        skeletonLines = SkeletonFileLines(skeleton);
        writeSkeleton();
        for (const char* mesh : {"xskin-body-PELVIS-BODY", "xskin-head-PELVIS-HEAD"}) {
            game.writeText(std::string("GameData/Skins/") + mesh + ".skn",
                           JoinCrLf(MeshFileLines(SampleBodyMesh(mesh, "x"))));
        }
        for (const char* texture : {"bodylgt", "headlgt"}) {
            game.writeFile(std::string("GameData/Skins/") + texture + ".bmp", EncodeBmp24(Bitmap(2, 2, Rgb{1, 2, 3})));
        }
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    // The game's texture archive holding `file` (with filler to make it count), catalogued.
    void archive(FarArchiveFile file) {
        game.writeArchive("GameData/Textures/Textures.far",
                          {std::move(file), {"filler.dat", std::vector<std::uint8_t>(1024, 0)}});
        DiscardSkinCatalogue(catalogue);
        SilentProgress quiet;
        LoadSkinData(catalogue, folders, quiet);
    }
    void writeSkeleton() { game.writeText("GameData/Skins/adult-skeleton.cmx", JoinCrLf(skeletonLines)); }

    PreviewModelSet load() {
        const std::vector<PreviewMesh> meshes{
            {(skins / "xskin-body-PELVIS-BODY.skn").string(), (skins / "bodylgt.bmp").string()},
            {(skins / "xskin-head-PELVIS-HEAD.skn").string(), (skins / "headlgt.bmp").string()}};
        return LoadPreviewModels(meshes, "adult-skeleton.cmx", false, folders, catalogue, folder.path() / "app",
                                 dialogs);
    }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    std::filesystem::path skins = game.root() / "GameData" / "Skins";
    SkinFolders folders{game.root(), 0};
    SkinCatalogue catalogue;
    test::ScriptedDialogs dialogs;
    std::vector<std::string> skeletonLines;
};

TEST_F(PreviewModelLoadingTest, EveryModelLeftOutIsNamedWithItsFileAndCause) {
    using Fixture = PreviewModelLoadingTest;
    const struct {
        const char* fault;
        void (*damage)(Fixture&);
        std::size_t models;
        std::size_t messages;            // "Unable to locate" messages shown
        // Each must stand in the one line left out, in this order; "{skins}/" is the skin folder.
        std::vector<std::string> parts;
    } cases[] = {
        {"sound", [](Fixture&) {}, 2, 0, {}},
        {"mesh_cut_short",
         [](Fixture& f) {
             auto lines = MeshFileLines(SampleBodyMesh("b", "x"));
             lines.resize(lines.size() - 1);
             f.game.writeText("GameData/Skins/xskin-body-PELVIS-BODY.skn", JoinCrLf(lines));
         },
         1, 0, {"xskin-body-PELVIS-BODY: ", "{skins}/xskin-body-PELVIS-BODY.skn at offset ", ": line "}},
        {"texture_not_a_bitmap",
         [](Fixture& f) { f.game.writeText("GameData/Skins/headlgt.bmp", "no picture"); },
         1, 0, {"xskin-head-PELVIS-HEAD: ", "{skins}/headlgt.bmp at offset "}},
        {"texture_missing",
         [](Fixture& f) { std::filesystem::remove(f.skins / "headlgt.bmp"); },
         1, 1, {"xskin-head-PELVIS-HEAD: its mesh or texture is not installed"}},
        {"skeleton_count_not_a_number",
         [](Fixture& f) {
             f.skeletonLines[4] = "many";
             f.writeSkeleton();
         },
         0, 0,
         {"skeleton adult-skeleton.cmx is damaged (", "{skins}/adult-skeleton.cmx at offset 4: line 4: ", "\"many\"",
          "); no model can be posed"}},
        {"skeleton_missing",
         [](Fixture& f) { std::filesystem::remove(f.skins / "adult-skeleton.cmx"); },
         0, 1, {"skeleton adult-skeleton.cmx: not found; no model can be posed"}},
        // A damaged archive entry is there, not missing: its archive, offset and fault are said.
        {"archived_skeleton_damaged",
         [](Fixture& f) {
             std::filesystem::remove(f.skins / "adult-skeleton.cmx");
             f.archive({"adult-skeleton.cmx.bcf", {1, 2, 3}});
         },
         0, 0,
         {"skeleton adult-skeleton.cmx is damaged (the entry adult-skeleton.cmx.bcf at offset ",
          " of the archive {game}/GameData/Textures/Textures.far is damaged: ", "); no model can be posed"}},
        {"archived_mesh_damaged",
         [](Fixture& f) {
             std::filesystem::remove(f.skins / "xskin-body-PELVIS-BODY.skn");
             f.archive({"xskin-body-PELVIS-BODY.bmf", {4, 5}});
         },
         1, 0,
         {"xskin-body-PELVIS-BODY: the entry xskin-body-PELVIS-BODY.bmf at offset ",
          " of the archive {game}/GameData/Textures/Textures.far is damaged: "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SetUp();
        dialogs.forgetShown();
        c.damage(*this);
        for (std::size_t i = 0; i < c.messages; ++i) dialogs.answer(mrOk);
        const PreviewModelSet set = load();
        EXPECT_EQ(set.models.size(), c.models);
        EXPECT_EQ(dialogs.messages().size(), c.messages) << "a missing file is said once";
        if (c.parts.empty()) {
            EXPECT_TRUE(set.leftOut.empty());
            continue;
        }
        ASSERT_EQ(set.leftOut.size(), 1u);
        std::size_t at = 0;
        for (std::string part : c.parts) {
            if (part.starts_with("{skins}/")) part.replace(0, 8, (skins / "").string());
            if (const auto marker = part.find("{game}"); marker != std::string::npos) {
                part.replace(marker, 6, game.root().string());
            }
            const std::size_t found = set.leftOut[0].find(part, at);
            EXPECT_NE(found, std::string::npos) << "\"" << part << "\" in " << set.leftOut[0];
            if (found != std::string::npos) at = found + part.size();
        }
    }
}

}  // namespace
}  // namespace corvane
