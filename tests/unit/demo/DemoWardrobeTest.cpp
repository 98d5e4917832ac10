// What a makeover needs of the demo's wardrobe: for each gender, age and
// body, a body and a head (loose or archived) with a loose texture in each
// skin tone, as a makeover picks textures among loose files only; and the
// open hands of every gender letter with their textures in each tone. All of
// it loads as the 3D preview draws it.

#include "demo/DemoFigures.h"
#include "demo/DemoInstallation.h"
#include "demo/DemoSkeletons.h"
#include "demo/DemoTextures.h"
#include "platform/AsciiText.h"
#include "render/PreviewComposition.h"
#include "render/PreviewModelLoading.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinFolders.h"
#include "skins/WildcardMask.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "unit/demo/PreviewModels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using test::colourOf;
using test::modelOn;

constexpr int kDemoLevel = 7;

// A kind of character a makeover can make: gender and age letters, the body
// code, and the skeleton it is posed on.
struct CharacterKind {
    char gender;
    char age;
    const char* body;
    const char* skeleton;

    std::string bodyMask() const { return std::string("b???") + gender + age + body + "*"; }
    std::string headMask() const { return std::string("c???") + gender + age + "*"; }
    std::string handLetter() const { return age == 'c' ? "u" : std::string(1, gender); }
};

constexpr CharacterKind kKinds[] = {
    {'m', 'a', "skn", "adult"}, {'m', 'a', "fit", "adult"}, {'m', 'a', "fat", "adult"},
    {'f', 'a', "skn", "adult"}, {'f', 'a', "fit", "adult"}, {'f', 'a', "fat", "adult"},
    {'m', 'c', "chd", "child"}, {'f', 'c', "chd", "child"},
};

struct Tone {
    const char* code;
    Rgb skin;
};

constexpr Tone kTones[] = {{"lgt", kLightSkin}, {"med", kMediumSkin}, {"drk", kDarkSkin}};

// A body texture is named after the first nine letters of its mesh, a head's
// after the first six.
constexpr std::size_t kBodyPrefix = 9;
constexpr std::size_t kHeadPrefix = 6;

std::string baseName(const std::string& fileName) {
    return ToLowerAscii(fileName.substr(0, fileName.find('.')));
}

class DemoMakeoverSkins : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureDemoInstallation(folder.path());
        LoadSkinData(catalogue, folders, progress);
    }

    // Base names (lower case) of the loose files matching `mask`, extension included.
    std::vector<std::string> loose(const std::string& mask) const {
        std::vector<std::string> names;
        for (const auto& path : folders.ListSkinFiles(mask)) names.push_back(baseName(path.filename().string()));
        return names;
    }

    // The character files a makeover chooses from: loose ones and archived entries.
    std::vector<std::string> meshes(const std::string& mask) const {
        std::vector<std::string> names = loose(mask + ".cmx");
        for (const FarRecordDetails& entry : *catalogue.ArchiveCharacterEntries) {
            const std::string name = baseName(entry.EntryName);
            if (MatchesMask(mask, name)) names.push_back(name);
        }
        return names;
    }

    // The first loose texture of `mesh` in `tone`; empty when there is none.
    std::string textureOf(const std::string& mesh, std::size_t prefix, const Tone& tone) const {
        const auto textures = loose(mesh.substr(0, prefix) + tone.code + "*.bmp");
        return textures.empty() ? std::string() : textures.front();
    }

    // The meshes matching `mask` that have a loose texture in `tone`.
    std::vector<std::string> dressable(const std::string& mask, std::size_t prefix, const Tone& tone) const {
        std::vector<std::string> found = meshes(mask);
        std::erase_if(found, [&](const std::string& mesh) { return textureOf(mesh, prefix, tone).empty(); });
        return found;
    }

    // The models the preview loads for a character of `kind` in `body` and
    // `head`, each with its first texture in `tone`, and the kind's open hands.
    PreviewModelSet dressed(const CharacterKind& kind, const Tone& tone, const std::string& body,
                            const std::string& head) {
        const std::string hands = "h" + kind.handLetter();
        const std::string handTexture = std::string("huao") + tone.code;
        const SkinSlots slots{DressedSlot{hands + "ro", handTexture}, DressedSlot{hands + "lo", handTexture},
                              DressedSlot{body, textureOf(body, kBodyPrefix, tone)},
                              DressedSlot{head, textureOf(head, kHeadPrefix, tone)}};
        return LoadPreviewModels(CollectPreviewMeshes(slots, folders, catalogue, dialogs),
                                 DemoSkeletonName(kind.skeleton) + ".cmx", kind.age == 'c', folders, catalogue,
                                 folder.path() / "app", dialogs);
    }

    test::TempDir folder;
    SkinFolders folders{folder.path() / "The Sims", kDemoLevel};
    SkinCatalogue catalogue;
    SilentProgress progress;
    test::ScriptedDialogs dialogs;  // any message fails the test
};

TEST_F(DemoMakeoverSkins, EachKindHasABodyAndAHeadWithALooseTextureInEveryTone) {
    for (const CharacterKind& kind : kKinds) {
        for (const auto& [mask, prefix] :
             {std::pair{kind.bodyMask(), kBodyPrefix}, std::pair{kind.headMask(), kHeadPrefix}}) {
            SCOPED_TRACE(mask);
            const auto found = meshes(mask);
            const auto inEveryTone = [&](const std::string& mesh) {
                return std::all_of(std::begin(kTones), std::end(kTones),
                                   [&](const Tone& tone) { return !textureOf(mesh, prefix, tone).empty(); });
            };
            EXPECT_TRUE(std::any_of(found.begin(), found.end(), inEveryTone))
                << found.size() << " meshes of the kind, none with loose textures in lgt, med and drk";
        }
    }
}

TEST_F(DemoMakeoverSkins, TheOpenHandsOfEveryGenderLetterAndTheirTexturesAreLoose) {
    for (const char* gender : {"m", "f", "u"}) {
        for (const char* side : {"l", "r"}) {
            const std::string hand = std::string("h") + gender + side + "o";
            EXPECT_FALSE(folders.FindSkinFile(hand, ".cmx").empty()) << hand;
        }
    }
    for (const Tone& tone : kTones) {
        EXPECT_FALSE(folders.FindSkinFile(std::string("huao") + tone.code, ".bmp").empty()) << tone.code;
    }
}

// A child's open hand is drawn in the proportion of the child's body.
TEST(DemoHands, AChildsOpenHandIsSmallerThanAnAdults) {
    auto reach = [](const Mesh& hand) {
        float farthest = 0;
        for (const auto& v : hand.vertices) farthest = std::max(farthest, std::hypot(v[0], v[1], v[2]));
        return farthest;
    };
    for (HandSide side : {HandSide::Left, HandSide::Right}) {
        const float adults = reach(HandMesh("hand", "huaolgt", side, "adult"));
        EXPECT_LT(reach(HandMesh("hand", "huaolgt", side, "child")), 0.8f * adults);
    }
}

bool nearColour(const Rgb& a, const Rgb& b) {
    constexpr int kTolerance = 12;  // the preview's JPEG round trip
    return std::abs(a.r - b.r) <= kTolerance && std::abs(a.g - b.g) <= kTolerance &&
           std::abs(a.b - b.b) <= kTolerance;
}

// Whichever body and head of the kind a makeover can pick in a tone (those
// with a loose texture in it), with the first of those textures and the open
// hands of the kind, the preview loads all four on the kind's skeleton, each
// with its own texture showing the tone's skin.
TEST_F(DemoMakeoverSkins, EveryPickOfAKindInEveryToneLoadsAsThePreviewDrawsIt) {
    const std::pair<const char*, TextureArea> skinAreas[] = {{"PELVIS", body_areas::kSkin},
                                                             {"HEAD", head_areas::kSkin},
                                                             {"L_HAND", hand_areas::kSkin},
                                                             {"R_HAND", hand_areas::kSkin}};
    for (const CharacterKind& kind : kKinds) {
        for (const Tone& tone : kTones) {
            for (const std::string& body : dressable(kind.bodyMask(), kBodyPrefix, tone)) {
                for (const std::string& head : dressable(kind.headMask(), kHeadPrefix, tone)) {
                    SCOPED_TRACE(body + " " + head + " " + tone.code);
                    const PreviewModelSet set = dressed(kind, tone, body, head);
                    EXPECT_EQ(set.leftOut, std::vector<std::string>{});
                    ASSERT_EQ(set.models.size(), 4u);
                    for (const LoadedSknModel& loaded : set.models) {
                        EXPECT_EQ(loaded.model.kind, kind.age == 'c' ? Child : Adult) << loaded.model.meshPath;
                        EXPECT_FALSE(loaded.model.faces.empty()) << loaded.model.meshPath;
                        EXPECT_EQ(loaded.texture.width, kDemoTextureSize) << loaded.model.texturePath;
                    }
                    for (const auto& [bone, area] : skinAreas) {
                        EXPECT_TRUE(nearColour(colourOf(modelOn(set.models, bone).texture, area), tone.skin)) << bone;
                    }
                }
            }
        }
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace corvane
