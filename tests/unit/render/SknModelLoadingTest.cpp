#include "render/ArchivedTexture.h"
#include "render/SknModel.h"

#include "RenderFixtures.h"
#include "demo/GameBuilder.h"
#include "platform/BmpCodec.h"
#include "platform/FormatError.h"
#include "platform/LanguageModule.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using render_test::expectNear;
using render_test::kIdentity;

// A picture whose width tells which file it came from.
std::vector<std::uint8_t> texture(int width) {
    return EncodeBmp24(Bitmap(width, 1, Rgb{10, 20, 30}));
}

class SknModelLoadingTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageModule(LanguageModule::parse("5010\tOK\n5022\tCorvane 3D\n", "t.lng")); }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    // A model on one PELVIS bone that lifts every vertex by 10 (a child: no
    // lowering at PELVIS), whose files would lie in the skins folder.
    TSKNModel model(const std::string& mesh, const std::string& textureFile) const {
        TSKNModel m;
        m.meshPath = skins / mesh;
        m.texturePath = skins / textureFile;
        m.skeletonName = "child-skeleton.cmx";
        m.kind = Child;
        m.bones = {{"PELVIS", "NULL", {0, 10, 0}, kIdentity}};
        return m;
    }
    void archive(std::vector<FarArchiveFile> files) {
        catalogue = render_test::catalogueOfArchive(game.writeArchive("GameData/Textures/Textures.far", files));
    }
    std::optional<LoadedSknModel> load(TSKNModel m) { return LoadSknModel(std::move(m), catalogue, dialogs); }

    test::TempDir folder;
    GameBuilder game{folder.path()};
    std::filesystem::path skins = folder.path() / "GameData" / "Skins";
    SkinCatalogue catalogue;
    test::ScriptedDialogs dialogs;
};

TEST_F(SknModelLoadingTest, FilesAreReadParsedAndPosed) {
    game.writeText("GameData/Skins/xskin-body-PELVIS-BODY.skn", JoinCrLf(MeshFileLines(SampleBodyMesh("b", "x"))));
    std::vector<std::uint8_t> bmp = texture(3);
    std::fill(bmp.begin() + 34, bmp.begin() + 38, std::uint8_t{0xEE});  // image size wrong, as some game files have it
    game.writeFile("GameData/Skins/bodylgt.bmp", bmp);

    const auto loaded = load(model("xskin-body-PELVIS-BODY.skn", "bodylgt.bmp"));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->model.loaded);
    EXPECT_EQ(loaded->model.texture, 0u);
    EXPECT_EQ(loaded->model.skeletonName, "child-skeleton.cmx");
    ASSERT_EQ(loaded->model.positions.size(), 3u);
    expectNear(loaded->model.positions[1], {0.1f, 10, 0});
    EXPECT_EQ(loaded->model.textureCoordinates[0].v, 0.0f);
    EXPECT_EQ(loaded->texture.width, 3);
    EXPECT_TRUE(dialogs.messages().empty());
}

// The mesh is looked up by its base name, the texture by its base name plus
// ".bmp" ignoring letter case; the first texture entry of the name wins.
TEST_F(SknModelLoadingTest, TheArchivesStandInForMissingFiles) {
    archive({{"xskin-body-PELVIS-BODY.bmf", BinaryMesh(SampleBodyMesh("b", "x"))},
             {"D:\\Sims\\GameData\\Skins\\BODYLGT.BMP", texture(4)},
             {"bodylgt.bmp", texture(5)}});

    const auto loaded = load(model("xskin-body-PELVIS-BODY.skn", "bodylgt.bmp"));
    ASSERT_TRUE(loaded);
    expectNear(loaded->model.positions[2], {0, 10.1f, 0});
    EXPECT_EQ(loaded->texture.width, 4);
}

TEST_F(SknModelLoadingTest, AMissingMeshIsReportedWithItsSknPath) {
    game.writeFile("GameData/Skins/bodylgt.bmp", texture(2));
    dialogs.answer(mrOk);

    EXPECT_FALSE(load(model("xskin-none-PELVIS-BODY.bmf", "bodylgt.bmp")));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "CV3D Error, Unable to locate " + (skins / "xskin-none-PELVIS-BODY.skn").string());
    EXPECT_EQ(dialogs.messages()[0].caption, "Corvane 3D");
}

TEST_F(SknModelLoadingTest, AMissingTextureIsReportedWithItsBmpPath) {
    archive({{"xskin-body-PELVIS-BODY.bmf", BinaryMesh(SampleBodyMesh("b", "x"))}, {"bodylgt.jpg", texture(2)}});
    dialogs.answer(mrOk);

    EXPECT_FALSE(load(model("xskin-body-PELVIS-BODY.skn", "bodylgt.jpg")));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "CV3D Error, Unable to locate " + (skins / "bodylgt.bmp").string());
}

TEST_F(SknModelLoadingTest, AMalformedMeshThrowsWithoutAMessage) {
    std::vector<std::string> lines = MeshFileLines(SampleBodyMesh("b", "x"));
    lines.resize(lines.size() - 1);
    game.writeText("GameData/Skins/xskin-cut-PELVIS-BODY.skn", JoinCrLf(lines));
    game.writeFile("GameData/Skins/bodylgt.bmp", texture(2));

    EXPECT_THROW(load(model("xskin-cut-PELVIS-BODY.skn", "bodylgt.bmp")), FormatError);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SknModelLoadingTest, ArchivedTexturesAreFoundIgnoringLetterCase) {
    archive({{"SKINS\\HUAOLgt.BMP", texture(6)}, {"huaolgt.bmp.bak", texture(7)}, {"other.bmp", texture(8)}});

    EXPECT_TRUE(ArchiveHasTexture(catalogue, "huaolgt"));
    EXPECT_TRUE(ArchiveHasTexture(catalogue, "HuaoLGT"));
    EXPECT_FALSE(ArchiveHasTexture(catalogue, "huao"));
    EXPECT_FALSE(ArchiveHasTexture(catalogue, "huaolgt.bmp"));
    const auto picture = LoadArchivedTexture(catalogue, "huaolgt");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 6);
    EXPECT_FALSE(LoadArchivedTexture(catalogue, "missing"));

    EXPECT_FALSE(ArchiveHasTexture(SkinCatalogue{}, "huaolgt")) << "no catalogue built yet";
}

}  // namespace
}  // namespace corvane
