#include "demo/DemoWardrobe.h"

#include "demo/DemoFigures.h"
#include "demo/DemoSkeletons.h"
#include "demo/DemoTextures.h"
#include "demo/SkinFileWriters.h"
#include "platform/AsciiText.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace corvane {

namespace {

enum class Storage { Loose, Archived };

struct WardrobeTexture {
    std::string name;  // base name, in the letter case of the file
    std::function<Bitmap()> paint;
    std::optional<Storage> storage;  // where the skin is, unless given
};

// One skin: a character file hanging one mesh on one bone, and the textures
// the characters wear with it (the first is the mesh's default).
struct WardrobeSkin {
    std::string characterFile;  // base name, in the letter case of the file
    std::string bone;
    std::string mesh;
    std::function<Mesh(const std::string& mesh, const std::string& texture)> figure;
    std::vector<WardrobeTexture> textures;
    Storage storage;  // of the character file and the mesh

    Mesh buildMesh() const { return figure(mesh, textures.front().name); }
};

// The meshes that also stand in for skins without a figure of their own.
const std::string kMansBody = "xskin-b001mafit_01-PELVIS-BODY";
const std::string kBoysBody = "xskin-b001mcchd_01-PELVIS-BODY";
const std::string kLeftHand = "xskin-hmlo-L_HAND-OPEN";
const std::string kRightHand = "xskin-hmro-R_HAND-OPEN";

constexpr Rgb kWhite{235, 235, 240};
constexpr Rgb kBlack{30, 30, 32};

// A skin tone as the game spells it in texture names, and its colour.
struct Tone {
    const char* code;
    Rgb skin;
};
constexpr Tone kLight{"lgt", kLightSkin};
constexpr Tone kMedium{"med", kMediumSkin};
constexpr Tone kDark{"drk", kDarkSkin};
const std::vector<Tone> kAllTones{kLight, kMedium, kDark};

std::function<Mesh(const std::string&, const std::string&)> hand(HandSide side, std::string_view kind) {
    return [side, kind](const std::string& mesh, const std::string& texture) {
        return HandMesh(mesh, texture, side, kind);
    };
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

// One outfit worn on each of `tones`, named `prefix` + tone + `suffix`
// ("b001fafat" "drk" "_casual").
std::vector<WardrobeTexture> outfitInTones(const std::string& prefix, const std::string& suffix,
                                           OutfitColours colours, const std::vector<Tone>& tones = kAllTones,
                                           std::optional<Storage> storage = {}) {
    std::vector<WardrobeTexture> textures;
    for (const Tone& tone : tones) {
        colours.skin = tone.skin;
        textures.push_back({prefix + tone.code + suffix, outfit(colours), storage});
    }
    return textures;
}

std::vector<WardrobeTexture> joined(std::vector<WardrobeTexture> first, const std::vector<WardrobeTexture>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

constexpr BodyStyle kMensTrousers{false, false, 1.0f};
constexpr BodyStyle kSkinnyMansTrousers{false, false, 0.85f};
constexpr BodyStyle kFatMansTrousers{false, false, 1.2f};
constexpr BodyStyle kBoysShorts{false, true, 1.0f};
constexpr BodyStyle kGirlsDress{true, true, 1.0f};
constexpr BodyStyle kSkinnyWomansDress{true, true, 0.85f};
constexpr BodyStyle kFitWomansDress{true, true, 1.0f};
constexpr BodyStyle kWomansDress{true, true, 1.15f};

// Clothes worn in more than one skin tone; the skin is the tone's.
constexpr OutfitColours kMansCasual{{50, 90, 170}, kWhite, {85, 85, 95}, {40, 40, 46}, {45, 35, 30}, kLightSkin, false};
constexpr OutfitColours kSkinnyMansJeans{
    {200, 60, 40}, kWhite, {50, 70, 120}, {60, 40, 30}, {50, 40, 30}, kLightSkin, false};
constexpr OutfitColours kFatMansCasual{
    {90, 130, 80}, {230, 220, 180}, {150, 125, 90}, {50, 35, 25}, {40, 30, 25}, kLightSkin, false};
constexpr OutfitColours kWomansCasual{{190, 40, 60}, kWhite, {190, 40, 60}, kBlack, {120, 20, 40}, kLightSkin, true};
constexpr OutfitColours kEveningDress{{90, 60, 160}, kWhite, {90, 60, 160}, kBlack, {60, 40, 110}, kLightSkin, true};
constexpr OutfitColours kDayDress{
    {40, 140, 150}, {240, 230, 200}, {40, 140, 150}, {150, 60, 40}, {20, 90, 100}, kLightSkin, true};
constexpr OutfitColours kBoysPlayClothes{
    {240, 160, 40}, {200, 110, 20}, {70, 70, 80}, kWhite, {40, 40, 40}, kLightSkin, true};
constexpr OutfitColours kGirlsPartyDress{
    {120, 180, 230}, kWhite, {120, 180, 230}, {220, 60, 120}, {240, 200, 60}, kLightSkin, true};

// Every open hand wears the same textures, one a skin tone.
std::vector<WardrobeTexture> handTextures() {
    std::vector<WardrobeTexture> textures;
    for (const Tone& tone : kAllTones) textures.push_back({std::string("huao") + tone.code, hands(tone.skin), {}});
    return textures;
}

// The open hands of men ("m"), women ("f") and children ("u"), left and right.
std::vector<WardrobeSkin> openHands() {
    struct Side {
        char letter;
        HandSide side;
        const char* bone;
    };
    std::vector<WardrobeSkin> skins;
    for (const auto& [gender, kind] : {std::pair{'m', "adult"}, std::pair{'f', "adult"}, std::pair{'u', "child"}}) {
        for (const Side& side : {Side{'l', HandSide::Left, "L_HAND"}, Side{'r', HandSide::Right, "R_HAND"}}) {
            const std::string name = std::string("h") + gender + side.letter + "o";
            skins.push_back({name, side.bone, "xskin-" + name + "-" + side.bone + "-OPEN", hand(side.side, kind),
                             handTextures(), Storage::Loose});
        }
    }
    return skins;
}

// A person's body on the pelvis, and a person's head, each mesh named after its character file.
WardrobeSkin personsBody(const std::string& characterFile, std::string_view kind, BodyStyle style,
                         std::vector<WardrobeTexture> textures, Storage storage) {
    auto figure = [kind, style](const std::string& mesh, const std::string& texture) {
        return HumanBodyMesh(mesh, texture, kind, style);
    };
    return {characterFile, "PELVIS", "xskin-" + ToLowerAscii(characterFile) + "-PELVIS-BODY", figure,
            std::move(textures), storage};
}

WardrobeSkin personsHead(const std::string& characterFile, std::string_view kind,
                         std::vector<WardrobeTexture> textures, Storage storage) {
    auto figure = [kind](const std::string& mesh, const std::string& texture) { return HeadMesh(mesh, texture, kind); };
    return {characterFile, "HEAD", "xskin-" + characterFile + "-HEAD-HEAD", figure, std::move(textures), storage};
}

std::vector<WardrobeSkin> wardrobe() {
    const Storage loose = Storage::Loose;
    const Storage archived = Storage::Archived;
    std::vector<WardrobeSkin> skins{
        // Men: shirt and trousers. Women: a dress. Both over the adult skeleton.
        personsBody("B001MAFit_01", "adult", kMensTrousers,
                    // The light one in capitals of its own, as names come in any letter case.
                    joined(outfitInTones("B001MAFit", "_casual", kMansCasual, {kLight}),
                           outfitInTones("b001mafit", "_casual", kMansCasual, {kMedium, kDark})),
                    loose),
        personsBody("b001maskn_01", "adult", kSkinnyMansTrousers,
                    outfitInTones("b001maskn", "_jeans", kSkinnyMansJeans), loose),
        personsBody("b001mafat_01", "adult", kFatMansTrousers, outfitInTones("b001mafat", "_casual", kFatMansCasual),
                    loose),
        personsBody("b001faskn_01", "adult", kSkinnyWomansDress, outfitInTones("b001faskn", "_evening", kEveningDress),
                    loose),
        personsBody("b001fafit_01", "adult", kFitWomansDress, outfitInTones("b001fafit", "_casual", kDayDress), loose),
        personsBody("b001fafat_01", "adult", kWomansDress,
                    joined(outfitInTones("b001fafat", "_casual", kWomansCasual),
                           {{"b001fafatlgt_summer",
                             outfit({{235, 200, 60}, kWhite, {235, 200, 60}, {150, 100, 60}, {220, 120, 40}, kLightSkin,
                                     true}),
                             {}}}),
                    loose),
        personsHead("c001ma_bob", "adult",
                    {{"c001malgt_bob", face({kLightSkin, {90, 60, 35}, {50, 90, 160}, {180, 90, 90}}), {}},
                     {"c001mamed_bob", face({kMediumSkin, {45, 30, 20}, {110, 75, 35}, {150, 80, 70}}), {}},
                     {"c001madrk_bob", face({kDarkSkin, {25, 20, 18}, {70, 45, 25}, {105, 55, 50}}), {}}},
                    loose),
        personsHead("c001fa_ann", "adult",
                    {{"c001falgt_ann", face({kLightSkin, {200, 120, 50}, {60, 140, 90}, {200, 70, 90}}), {}},
                     {"c001famed_ann", face({kMediumSkin, {70, 40, 25}, {120, 90, 40}, {180, 70, 80}}), {}},
                     {"c001fadrk_ann", face({kDarkSkin, {35, 25, 22}, {80, 50, 30}, {140, 50, 60}}), {}}},
                    loose),
        // A spare body that nobody wears yet, for the body page's choice.
        personsBody("b002mafit_01", "adult", kMensTrousers,
                    {{"b002mafitlgt_sporty",
                      outfit({{180, 40, 40}, {250, 220, 60}, {180, 40, 40}, kWhite, {250, 220, 60}, kLightSkin, false}),
                      {}}},
                    archived),
        // Boys: T-shirt and shorts. Girls: a dress. The children wear their
        // tones in loose textures beside the archive.
        personsBody("b001mcchd_01", "child", kBoysShorts,
                    joined({{"b001mcchdlgt_casual",
                             outfit({{60, 160, 80}, {30, 100, 45}, {60, 80, 140}, kWhite, {40, 40, 60}, kLightSkin,
                                     true}),
                             {}}},
                           outfitInTones("b001mcchd", "_play", kBoysPlayClothes, kAllTones, loose)),
                    archived),
        personsBody("b001fcchd_01", "child", kGirlsDress,
                    joined({{"b001fcchdlgt_casual",
                             outfit({{230, 120, 170}, kWhite, {230, 120, 170}, {200, 40, 40}, {140, 60, 150},
                                     kLightSkin, true}),
                             {}}},
                           outfitInTones("b001fcchd", "_party", kGirlsPartyDress, kAllTones, loose)),
                    archived),
        personsHead("c001mc_bob", "child",
                    {{"c001mclgt_bob", face({kLightSkin, {220, 180, 90}, {60, 130, 70}, {200, 110, 110}}), {}},
                     {"c001mclgt_tim", face({kLightSkin, {150, 70, 30}, {70, 110, 170}, {200, 110, 110}}), loose},
                     {"c001mcmed_tim", face({kMediumSkin, {55, 35, 20}, {100, 70, 30}, {165, 90, 80}}), loose},
                     {"c001mcdrk_tim", face({kDarkSkin, {25, 20, 18}, {65, 40, 22}, {115, 60, 55}}), loose}},
                    archived),
        personsHead("c001fc_amy", "child",
                    {{"c001fclgt_amy", face({kLightSkin, {240, 210, 120}, {80, 120, 190}, {220, 110, 130}}), {}},
                     {"c001fcmed_amy", face({kMediumSkin, {90, 50, 25}, {110, 80, 35}, {190, 90, 100}}), {}},
                     {"c001fcdrk_amy", face({kDarkSkin, {30, 22, 20}, {75, 48, 28}, {135, 60, 70}}), {}}},
                    loose),
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
                                  false}),
           {}}},
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
                                  true}),
           {}}},
         archived},
    };
    for (WardrobeSkin& hand : openHands()) skins.push_back(std::move(hand));
    return skins;
}

Suit suitOf(const WardrobeSkin& skin) {
    return SampleSuit(ToLowerAscii(skin.characterFile), skin.bone, skin.mesh);
}

// What the wardrobe puts into the archive, and what it has written so far.
struct WardrobeWriter {
    GameBuilder& game;
    std::vector<FarArchiveFile> archive;
    std::set<std::string> archivedNames;    // lower case
    std::set<std::string> writtenTextures;  // lower case: a texture several skins wear is written once

    static constexpr const char* kLooseFolder = "GameData\\Skins\\";

    void add(const WardrobeSkin& skin) {
        if (skin.storage == Storage::Loose) {
            game.writeText(kLooseFolder + skin.characterFile + ".cmx", JoinCrLf(CharacterFileLines(suitOf(skin))));
            game.writeText(kLooseFolder + skin.mesh + ".skn", JoinCrLf(MeshFileLines(skin.buildMesh())));
        } else {
            archive.push_back({skin.characterFile + ".cmx.bcf", BinaryCharacterFile(suitOf(skin))});
            archive.push_back({skin.mesh + ".bmf", BinaryMesh(skin.buildMesh())});
            archivedNames.insert(ToLowerAscii(skin.characterFile));
        }
        for (const WardrobeTexture& texture : skin.textures) add(texture, texture.storage.value_or(skin.storage));
    }

    void add(const WardrobeTexture& texture, Storage storage) {
        const std::string name = ToLowerAscii(texture.name);
        if (!writtenTextures.insert(name).second) return;
        if (storage == Storage::Loose) {
            game.writeFile(kLooseFolder + texture.name + ".bmp", TextureFileBytes(texture.paint()));
        } else {
            archive.push_back({texture.name + ".bmp", TextureFileBytes(texture.paint())});
            archivedNames.insert(name);
        }
    }
};

}  // namespace

std::set<std::string> WriteDemoWardrobe(GameBuilder& game) {
    WardrobeWriter writer{game, {}, {}, {}};
    for (std::string_view kind : kDemoSkeletonKinds) {
        writer.archive.push_back({DemoSkeletonName(kind) + ".cmx.bcf", BinarySkeleton(DemoSkeleton(kind))});
    }
    for (const WardrobeSkin& skin : wardrobe()) writer.add(skin);
    game.writeArchive("GameData\\Textures\\Textures.far", writer.archive);
    return writer.archivedNames;
}

SuitSkin StandInSkin(const std::string& suit, const std::string& key) {
    const std::string name = ToLowerAscii(suit);
    if (key == "HAND") {
        return name.size() > 2 && name[2] == 'l' ? SuitSkin{"L_HAND", kLeftHand} : SuitSkin{"R_HAND", kRightHand};
    }
    return {"PELVIS", name.find("chd") != std::string::npos ? kBoysBody : kMansBody};
}

}  // namespace corvane
