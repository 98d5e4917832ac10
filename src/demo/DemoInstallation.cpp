#include "demo/DemoInstallation.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/BmpCodec.h"

namespace corvane {

namespace {

constexpr int kDemoExpansionLevel = 7;

// A small striped texture.
std::vector<std::uint8_t> demoTexture(Rgb a, Rgb b) {
    Bitmap texture(64, 64, a);
    for (int y = 0; y < 64; y += 8) {
        for (int x = 0; x < 64; ++x) {
            texture.set(x, y, b);
        }
    }
    return EncodeBmp24(texture);
}

SkeletonBone demoBone(const std::string& name, const std::string& parent, bool property) {
    SkeletonBone bone;
    bone.name = name;
    bone.parent = parent;
    bone.hasProperty = property;
    bone.propertyName = "name";
    bone.propertyValue = "adult";
    return bone;
}

// Skins of both kinds: loose text files, and binary entries of an archive.
void writeDemoSkins(GameBuilder& game) {
    const std::string mesh = "xskin-b001mafit_01-PELVIS-BODY";
    game.writeText("GameData\\Skins\\B001MAFit_01.cmx", JoinCrLf(CharacterFileLines(SampleSuit("b001mafit_01", "PELVIS", mesh))));
    game.writeText("GameData\\Skins\\" + mesh + ".skn", JoinCrLf(MeshFileLines(SampleBodyMesh(mesh, "x"))));
    game.writeFile("GameData\\Skins\\B001MAFitlgt_casual.bmp", demoTexture({40, 90, 160}, {230, 230, 240}));

    const std::string archived = "xskin-b002mafit_01-PELVIS-BODY";
    Skeleton adult{"adult", {demoBone("ROOT", "NULL", false), demoBone("PELVIS", "ROOT", true)}};
    game.writeArchive("GameData\\Textures\\Textures.far",
                      {{"b002mafit_01.cmx.bcf", BinaryCharacterFile(SampleSuit("b002mafit_01", "PELVIS", archived))},
                       {archived + ".bmf", BinaryMesh(SampleBodyMesh(archived, "x"))},
                       {"b002mafitlgt_sporty.bmp", demoTexture({160, 40, 40}, {250, 220, 60})},
                       {"adult-skeleton.cmx.bcf", BinarySkeleton(adult)}});
}

}  // namespace

std::filesystem::path EnsureDemoInstallation(const std::filesystem::path& folder) {
    const std::filesystem::path game = folder / "The Sims";
    if (std::filesystem::exists(game / "Sims.exe")) {
        return game;
    }
    GameBuilder builder(game);
    builder.installation(kDemoExpansionLevel);
    for (const char* neighbourhood : {"UserData", "UserData2", "UserData3"}) {
        builder.neighbourhood(neighbourhood);
    }
    writeDemoSkins(builder);
    return game;
}

}  // namespace corvane
