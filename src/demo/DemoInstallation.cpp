#include "demo/DemoInstallation.h"

#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "demo/SkinFileWriters.h"
#include "demo/WornSkins.h"
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

struct DemoCharacter {
    const char* file;
    std::int32_t id;
    const char* first;
    const char* ageGroup;
    int gender;
    std::uint16_t family;
};

constexpr DemoCharacter kDemoCharacters[] = {
    {"User00001", 1, "Victor", "adult", 0, 1},  {"User00002", 2, "Elena", "adult", 1, 1},
    {"User00003", 3, "Tess", "child", 1, 1},    {"User00004", 4, "Jonah", "child", 0, 1},
    {"User00005", 5, "Iris", "adult", 1, 2},    {"User00006", 6, "Biscuit", "dog", 2, 1},
    {"User00007", 7, "Pepper", "kat", 5, 1},
};

std::uint32_t demoGuid(std::int32_t id) {
    return 0x5D000000u + static_cast<std::uint32_t>(id);
}

// The Marlows (two adults, two children, a dog and a cat) and their neighbour
// Iris, who lives alone; friends and family like each other.
void writeDemoNeighbourhood(GameBuilder& game, int level) {
    NeighbourhoodFileSpec neighbourhood;
    neighbourhood.version = NeighbourhoodVersionFor(level);
    FamilySpec marlows{1, "Marlow", 3, 24000, 61000, {}};
    FamilySpec vale{2, "Vale", 7, 9000, 18000, {}};
    for (const DemoCharacter& c : kDemoCharacters) {
        CharacterFileSpec character;
        character.fileName = c.file;
        character.guid = demoGuid(c.id);
        character.names = {{1, {c.first, std::string(c.first) + " lives in the demo neighborhood."}}};
        character.bodyStrings = StandardBodyStrings(c.ageGroup, level, c.gender == 1 ? "fat" : "fit");
        WriteWornSkins(game, character.bodyStrings);
        game.writeFile(std::string("UserData\\Characters\\") + c.file + ".iff", MakeCharacterFile(character));

        NeighbourSpec neighbour;
        neighbour.fileName = c.file;
        neighbour.neighbourId = c.id;
        neighbour.guid = demoGuid(c.id);
        neighbour.recordVersion = NeighbourRecordVersionFor(level);
        const bool child = std::string(c.ageGroup) == "child";
        neighbour.personData = {{2, 700}, {3, 400}, {5, 650}, {6, 300}, {7, 900}, {9, 250}, {10, 500},
                                {58, static_cast<std::uint16_t>(child ? 9 : 27)}, {60, 1},
                                {61, c.family}, {65, static_cast<std::uint16_t>(c.gender)},
                                {56, static_cast<std::uint16_t>(child ? 0xFFFF : 3)}};
        for (const DemoCharacter& other : kDemoCharacters) {
            if (other.id != c.id && other.id <= 5 && c.id <= 5) {
                neighbour.relationships.push_back({other.id, {other.family == c.family ? 80 : 35, 0, 60, 0}});
            }
        }
        neighbourhood.neighbours.push_back(neighbour);
        (c.family == 1 ? marlows : vale).members.push_back(demoGuid(c.id));
    }
    neighbourhood.families = {marlows, vale};
    game.writeFile("UserData\\neighborhood.iff", MakeNeighbourhoodFile(neighbourhood));
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
    writeDemoNeighbourhood(builder, kDemoExpansionLevel);
    return game;
}

}  // namespace corvane
