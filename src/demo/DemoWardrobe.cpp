#include "demo/DemoWardrobe.h"

#include "demo/DemoFigures.h"
#include "demo/DemoSkeletons.h"
#include "demo/DemoTextures.h"
#include "demo/SkinFileWriters.h"
#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"

#include <functional>

namespace corvane {

namespace {

enum class Storage { Loose, Archived };

struct WardrobeTexture {
    std::string name;  // base name, in the letter case of the file
    std::function<Bitmap()> paint;
};

// One skin: a character file hanging one mesh on one bone, and the textures
// the characters wear with it (the first is the mesh's default).
struct WardrobeSkin {
    std::string characterFile;  // base name, in the letter case of the file
    std::string bone;
    std::string mesh;
    std::function<Mesh(const std::string& mesh, const std::string& texture)> figure;
    std::vector<WardrobeTexture> textures;
    Storage storage;

    Mesh buildMesh() const { return figure(mesh, textures.front().name); }
};

// The meshes that also stand in for skins without a figure of their own.
const std::string kMansBody = "xskin-b001mafit_01-PELVIS-BODY";
const std::string kBoysBody = "xskin-b001mcchd_01-PELVIS-BODY";
const std::string kLeftHand = "xskin-hmlo-L_HAND-OPEN";
const std::string kRightHand = "xskin-hmro-R_HAND-OPEN";

constexpr Rgb kWhite{235, 235, 240};
constexpr Rgb kBlack{30, 30, 32};

std::function<Mesh(const std::string&, const std::string&)> body(std::string_view kind, BodyStyle style) {
    return [kind, style](const std::string& mesh, const std::string& texture) {
        return HumanBodyMesh(mesh, texture, kind, style);
    };
}
std::function<Mesh(const std::string&, const std::string&)> head(std::string_view kind) {
    return [kind](const std::string& mesh, const std::string& texture) { return HeadMesh(mesh, texture, kind); };
}
std::function<Mesh(const std::string&, const std::string&)> hand(HandSide side) {
    return [side](const std::string& mesh, const std::string& texture) { return HandMesh(mesh, texture, side); };
}
std::function<Bitmap()> outfit(OutfitColours colours) {
    return [colours] { return BodyTexture(colours); };
}
std::function<Bitmap()> face(HeadColours colours) {
    return [colours] { return HeadTexture(colours); };
}
std::function<Bitmap()> coat(CoatColours colours) {
    return [colours] { return CoatTexture(colours); };
}
std::function<Bitmap()> hands(Rgb skin) {
    return [skin] { return HandTexture(skin); };
}

constexpr BodyStyle kMensTrousers{false, false, 1.0f};
constexpr BodyStyle kBoysShorts{false, true, 1.0f};
constexpr BodyStyle kGirlsDress{true, true, 1.0f};
constexpr BodyStyle kWomansDress{true, true, 1.15f};

std::vector<WardrobeSkin> wardrobe() {
    const Storage loose = Storage::Loose;
    const Storage archived = Storage::Archived;
    return {
        // Men: shirt and trousers. Women: a dress. Both over the adult skeleton.
        {"B001MAFit_01",
         "PELVIS",
         kMansBody,
         body("adult", kMensTrousers),
         {{"B001MAFitlgt_casual",
           outfit({{50, 90, 170}, kWhite, {85, 85, 95}, {40, 40, 46}, {45, 35, 30}, kLightSkin, false})}},
         loose},
        {"b001fafat_01",
         "PELVIS",
         "xskin-b001fafat_01-PELVIS-BODY",
         body("adult", kWomansDress),
         {{"b001fafatlgt_casual",
           outfit({{190, 40, 60}, kWhite, {190, 40, 60}, kBlack, {120, 20, 40}, kLightSkin, true})},
          {"b001fafatlgt_summer",
           outfit({{235, 200, 60}, kWhite, {235, 200, 60}, {150, 100, 60}, {220, 120, 40}, kLightSkin, true})}},
         loose},
        {"c001ma_bob",
         "HEAD",
         "xskin-c001ma_bob-HEAD-HEAD",
         head("adult"),
         {{"c001malgt_bob", face({kLightSkin, {90, 60, 35}, {50, 90, 160}, {180, 90, 90}})}},
         loose},
        {"hmlo", "L_HAND", kLeftHand, hand(HandSide::Left), {{"huaolgt", hands(kLightSkin)}}, loose},
        {"hmro", "R_HAND", kRightHand, hand(HandSide::Right), {{"huaolgt", hands(kLightSkin)}}, loose},
        // A spare body that nobody wears yet, for the body page's choice.
        {"b002mafit_01",
         "PELVIS",
         "xskin-b002mafit_01-PELVIS-BODY",
         body("adult", kMensTrousers),
         {{"b002mafitlgt_sporty",
           outfit({{180, 40, 40}, {250, 220, 60}, {180, 40, 40}, kWhite, {250, 220, 60}, kLightSkin, false})}},
         archived},
        // Boys: T-shirt and shorts. Girls: a dress.
        {"b001mcchd_01",
         "PELVIS",
         kBoysBody,
         body("child", kBoysShorts),
         {{"b001mcchdlgt_casual",
           outfit({{60, 160, 80}, {30, 100, 45}, {60, 80, 140}, kWhite, {40, 40, 60}, kLightSkin, true})}},
         archived},
        {"b001fcchd_01",
         "PELVIS",
         "xskin-b001fcchd_01-PELVIS-BODY",
         body("child", kGirlsDress),
         {{"b001fcchdlgt_casual",
           outfit({{230, 120, 170}, kWhite, {230, 120, 170}, {200, 40, 40}, {140, 60, 150}, kLightSkin, true})}},
         archived},
        {"c001mc_bob",
         "HEAD",
         "xskin-c001mc_bob-HEAD-HEAD",
         head("child"),
         {{"c001mclgt_bob", face({kLightSkin, {220, 180, 90}, {60, 130, 70}, {200, 110, 110}})}},
         archived},
        {"b001dog_01",
         "PELVIS",
         "xskin-b001dog_01-PELVIS-DOGBODY",
         DogMesh,
         {{"b001dog_brown", coat({{150, 100, 55},
                                  {90, 55, 30},
                                  {225, 200, 160},
                                  {25, 25, 25},
                                  {40, 30, 20},
                                  {90, 55, 30},
                                  false,
                                  false})}},
         archived},
        {"b001cat_01",
         "PELVIS",
         "xskin-b001cat_01-PELVIS-CATBODY",
         CatMesh,
         {{"b001cat_tabby", coat({{220, 140, 60},
                                  {150, 80, 30},
                                  {245, 235, 220},
                                  {230, 140, 150},
                                  {110, 190, 60},
                                  {240, 170, 170},
                                  true,
                                  true})}},
         archived},
    };
}

Suit suitOf(const WardrobeSkin& skin) {
    return SampleSuit(ToLowerAscii(skin.characterFile), skin.bone, skin.mesh);
}

void writeLoose(GameBuilder& game, const WardrobeSkin& skin) {
    const std::string folder = "GameData\\Skins\\";
    game.writeText(folder + skin.characterFile + ".cmx", JoinCrLf(CharacterFileLines(suitOf(skin))));
    game.writeText(folder + skin.mesh + ".skn", JoinCrLf(MeshFileLines(skin.buildMesh())));
    for (const WardrobeTexture& texture : skin.textures) {
        game.writeFile(folder + texture.name + ".bmp", EncodeBmp24(texture.paint()));
    }
}

void addToArchive(std::vector<FarArchiveFile>& archive, const WardrobeSkin& skin) {
    archive.push_back({skin.characterFile + ".cmx.bcf", BinaryCharacterFile(suitOf(skin))});
    archive.push_back({skin.mesh + ".bmf", BinaryMesh(skin.buildMesh())});
    for (const WardrobeTexture& texture : skin.textures) {
        archive.push_back({texture.name + ".bmp", EncodeBmp24(texture.paint())});
    }
}

}  // namespace

std::set<std::string> WriteDemoWardrobe(GameBuilder& game) {
    std::vector<FarArchiveFile> archive;
    for (std::string_view kind : kDemoSkeletonKinds) {
        archive.push_back({DemoSkeletonName(kind) + ".cmx.bcf", BinarySkeleton(DemoSkeleton(kind))});
    }
    std::set<std::string> archivedNames;
    for (const WardrobeSkin& skin : wardrobe()) {
        if (skin.storage == Storage::Loose) {
            writeLoose(game, skin);
        } else {
            addToArchive(archive, skin);
            archivedNames.insert(ToLowerAscii(skin.characterFile));
            for (const WardrobeTexture& texture : skin.textures) archivedNames.insert(ToLowerAscii(texture.name));
        }
    }
    game.writeArchive("GameData\\Textures\\Textures.far", archive);
    return archivedNames;
}

SuitSkin StandInSkin(const std::string& suit, const std::string& key) {
    const std::string name = ToLowerAscii(suit);
    if (key == "HAND") {
        return name.size() > 2 && name[2] == 'l' ? SuitSkin{"L_HAND", kLeftHand} : SuitSkin{"R_HAND", kRightHand};
    }
    return {"PELVIS", name.find("chd") != std::string::npos ? kBoysBody : kMansBody};
}

}  // namespace corvane
