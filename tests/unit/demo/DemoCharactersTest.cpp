// The demo's characters as the 3D preview shows them: the four skeletons,
// everybody's everyday meshes posed on them, and a picture of each kind.

#include "TestPaths.h"
#include "demo/DemoInstallation.h"
#include "demo/DemoSkeletons.h"
#include "demo/DemoTextures.h"
#include "demo/DemoWardrobe.h"
#include "demo/GameBuilder.h"
#include "demo/WornSkins.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "render/PoseVertex.h"
#include "render/PreviewComposition.h"
#include "render/PreviewModelLoading.h"
#include "render/PreviewScene.h"
#include "render/SurfacelessGlContext.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinFolders.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "unit/demo/PreviewModels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <tuple>
#include <stdexcept>
#include <string_view>

namespace corvane {
namespace {

using test::colourOf;
using test::modelOn;

constexpr int kDemoLevel = 7;

SkeletonKind kindOf(std::string_view word) {
    if (word == "child") return Child;
    if (word == "dog") return Dog;
    if (word == "kat") return Kat;
    return Adult;
}

TVector3 posedJoint(const ParsedSkeleton& skeleton, std::string_view bone) {
    TVector3 position;
    TVector3 normal;
    PoseVertex(skeleton.bones, skeleton.kind, std::string(bone), position, normal);
    return position;
}

float distance(const TVector3& a, const TVector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

TEST(DemoSkeletons, EachKindReadsBackWithItsKindAndEveryBoneWhereTheFileSaysItIs) {
    for (std::string_view kind : kDemoSkeletonKinds) {
        SCOPED_TRACE(kind);
        const Skeleton written = DemoSkeleton(kind);
        const ParsedSkeleton read = ParseSkeleton(SkeletonFileLines(written), DemoSkeletonName(kind));
        EXPECT_EQ(read.kind, kindOf(kind));
        ASSERT_EQ(read.bones.size(), written.bones.size()) << "the property block sits where the preview looks for it";
        for (std::size_t i = 0; i < read.bones.size(); ++i) {
            const TSkeleton& bone = read.bones[i];
            const SkeletonBone& stored = written.bones[i];
            EXPECT_EQ(bone.name, stored.name);
            EXPECT_EQ(bone.parent, stored.parent);
            EXPECT_EQ((std::array{bone.translation.x, bone.translation.y, bone.translation.z}),
                      (std::array{stored.translation[0], stored.translation[1], stored.translation[2]}))
                << bone.name;
            EXPECT_EQ((std::array{bone.rotation.x, bone.rotation.y, bone.rotation.z, bone.rotation.w}),
                      (std::array{stored.rotation[0], stored.rotation[1], stored.rotation[2], stored.rotation[3]}))
                << bone.name;
        }
    }
}

// The stored rotations are the pose less the preview's offsets, and the root
// and the pelvis stand as high as the preview lowers them: posed, every
// joint of a person is where it was designed, and an animal's joints keep
// their heights and distances under its turn toward the viewer.
TEST(DemoSkeletons, ThePreviewPosesEveryJointWhereItWasDesigned) {
    for (std::string_view kind : kDemoSkeletonKinds) {
        SCOPED_TRACE(kind);
        const ParsedSkeleton skeleton = ParseSkeleton(SkeletonFileLines(DemoSkeleton(kind)), DemoSkeletonName(kind));
        const TVector3 root = posedJoint(skeleton, "ROOT");
        const bool person = kind == "adult" || kind == "child";
        for (const TSkeleton& bone : skeleton.bones) {
            const FigurePoint designed = DemoJoint(kind, bone.name);
            const TVector3 posed = posedJoint(skeleton, bone.name);
            if (person) {
                EXPECT_NEAR(posed.x, designed.x, 1e-4f) << bone.name;
                EXPECT_NEAR(posed.y, designed.y, 1e-4f) << bone.name;
                EXPECT_NEAR(posed.z, designed.z, 1e-4f) << bone.name;
            } else {
                EXPECT_NEAR(posed.x - root.x, designed.x, 1e-4f) << bone.name;
                EXPECT_NEAR(distance(posed, root), std::hypot(designed.x, designed.y, designed.z), 1e-4f) << bone.name;
            }
        }
        EXPECT_GT(posedJoint(skeleton, "HEAD").x, posedJoint(skeleton, "L_HAND").x) << "upright";
    }
}

TEST(DemoWornSkins, ASkinTheArchivesHoldGetsNoLooseFileThatWouldHideIt) {
    test::TempDir folder;
    GameBuilder game(folder.path() / "game");
    game.installation(kDemoLevel);
    WriteWornSkins(game, {"adult", "b009mafit_x,BODY=b009mafitlgt_x", "c009ma_y,HEAD=c009malgt_y"},
                   {"b009mafit_x", "c009malgt_y"});
    const SkinFolders folders(game.root(), kDemoLevel);
    EXPECT_TRUE(folders.FindSkinFile("b009mafit_x", ".cmx").empty());
    EXPECT_FALSE(folders.FindSkinFile("b009mafitlgt_x", ".bmp").empty());
    EXPECT_FALSE(folders.FindSkinFile("c009ma_y", ".cmx").empty());
    EXPECT_TRUE(folders.FindSkinFile("c009malgt_y", ".bmp").empty());
}

// Outfits and hands the wardrobe has no figure of stand in with one it has,
// so that no page draws a second body where the hands should be.
TEST(DemoWornSkins, AStandInHangsAHandOnItsSideAndABodyOfItsAgeOnThePelvis) {
    struct Case {
        const char* suit;
        const char* key;
        const char* bone;
        const char* mesh;
    };
    for (const Case& c : {Case{"hmlc", "HAND", "L_HAND", "xskin-hmlo-L_HAND-OPEN"},
                          Case{"GMRO", "HAND", "R_HAND", "xskin-hmro-R_HAND-OPEN"},
                          Case{"f001mcchd_old", "BODY", "PELVIS", "xskin-b001mcchd_01-PELVIS-BODY"},
                          Case{"nmfit_01", "BODYNAKED", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY"}}) {
        const SuitSkin standIn = StandInSkin(c.suit, c.key);
        EXPECT_EQ(standIn.bone, c.bone) << c.suit;
        EXPECT_EQ(standIn.mesh, c.mesh) << c.suit;
    }
}

// ---- the characters of the demo neighbourhood

class DemoCharacters : public ::testing::Test {
protected:
    void SetUp() override {
        game = EnsureDemoInstallation(folder.path());
        NeighbourhoodLoadSettings load;
        load.folder = game / "UserData";
        load.expansionLevel = kDemoLevel;
        load.hasFameFolders = true;
        load.applicationFolder = folder.path() / "app";
        OpenedNeighbourhood opened = OpenNeighbourhood(load, dialogs, progress);
        characters = std::move(opened.characters);
        LoadSkinData(catalogue, folders, progress);
    }

    const Sim& character(const std::string& fileName) const {
        const auto found =
            std::find_if(characters.begin(), characters.end(), [&](const auto& s) { return s->FileName == fileName; });
        if (found == characters.end()) throw std::runtime_error("no demo character " + fileName);
        return **found;
    }

    // The models the preview shows for the character's everyday clothes.
    std::vector<LoadedSknModel> everydayModels(const Sim& sim) {
        const auto meshes = CollectPreviewMeshes(SlotsForOutfit(sim, Outfit::Everyday), folders, catalogue, dialogs);
        auto set = LoadPreviewModels(meshes, SkeletonFileFor(sim), sim.Age < 10, folders, catalogue,
                                     folder.path() / "app", dialogs);
        EXPECT_EQ(set.leftOut, std::vector<std::string>{});
        return std::move(set.models);
    }

    test::TempDir folder;
    std::filesystem::path game;
    SkinFolders folders{folder.path() / "The Sims", kDemoLevel};
    SkinCatalogue catalogue;
    SilentProgress progress;
    test::ScriptedDialogs dialogs;  // any message fails the test
    std::vector<std::unique_ptr<Sim>> characters;
};

// The skeletons come out of the game's archive, converted from their binary form.
TEST_F(DemoCharacters, EveryDemoCharacterIsReadUndamaged) {
    ASSERT_FALSE(characters.empty());
    for (const auto& sim : characters) {
        EXPECT_EQ(sim->Damage, "") << sim->FileName;
        EXPECT_EQ(sim->GUID.size(), 4u) << sim->FileName;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(game)) {
        if (entry.path().extension() != ".iff") continue;
        const auto bytes = ReadFileBytes(entry.path());
        const ChunkList list = ReadChunkList(bytes, {}, entry.path().filename().string());
        EXPECT_FALSE(list.damaged) << list.damage;
    }
}

TEST_F(DemoCharacters, TheInstalledSkeletonsAreTheDesignedOnes) {
    for (std::string_view kind : kDemoSkeletonKinds) {
        SCOPED_TRACE(kind);
        const auto installed = LoadSkeleton(folders, catalogue, DemoSkeletonName(kind) + ".cmx", dialogs);
        ASSERT_TRUE(installed);
        EXPECT_EQ(installed->kind, kindOf(kind));
        ASSERT_EQ(installed->bones.size(), DemoSkeleton(kind).bones.size());
        EXPECT_EQ(installed->bones.back().name, DemoSkeleton(kind).bones.back().name);
    }
}

bool finite(const TVector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

TEST_F(DemoCharacters, EveryoneWearsHeadBodyAndHandsPosedOnTheSkeletonOfTheirKind) {
    ASSERT_EQ(characters.size(), 7u);
    for (const auto& sim : characters) {
        SCOPED_TRACE(sim->FileName + " " + sim->AgeGroup);
        const bool animal = sim->AgeGroup == "dog" || sim->AgeGroup == "kat";
        const auto models = everydayModels(*sim);
        ASSERT_EQ(models.size(), animal ? 1u : 4u) << "an animal's body is all of it; people add head and hands";
        for (const LoadedSknModel& loaded : models) {
            const TSKNModel& model = loaded.model;
            EXPECT_EQ(model.kind, kindOf(sim->AgeGroup));
            EXPECT_EQ(loaded.texture.width, kDemoTextureSize)
                << model.texturePath << ": the figure's texture, no placeholder";
            ASSERT_FALSE(model.faces.empty()) << model.meshPath;
            EXPECT_TRUE(std::all_of(model.positions.begin(), model.positions.end(), finite)) << model.meshPath;
            EXPECT_TRUE(std::all_of(model.normals.begin(), model.normals.end(), finite)) << model.meshPath;
        }
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

// ---- pictures

constexpr std::uint32_t kBackground = 0x00402010;  // 0x00BBGGRR
constexpr int kWidth = 200;
constexpr int kHeight = 200;

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// Where the figure lies in the picture: the box around every pixel that is
// not background.
struct Figure {
    int left = kWidth, top = kHeight, right = -1, bottom = -1;  // right and bottom inclusive

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Figure figureIn(const Bitmap& picture, const Rgb& background) {
    Figure f;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (near(picture.at(x, y), background, 3)) continue;
            f = {std::min(f.left, x), std::min(f.top, y), std::max(f.right, x), std::max(f.bottom, y)};
        }
    }
    return f;
}

// Whether the colour shows in the rows of the figure from `fromTop` to
// `toTop`, given as fractions of its height.
bool showsBetween(const Bitmap& picture, const Figure& f, double fromTop, double toTop, const Rgb& colour) {
    const int first = f.top + static_cast<int>(fromTop * f.height());
    const int last = f.top + static_cast<int>(toTop * f.height());
    for (int y = first; y <= std::min(last, f.bottom); ++y) {
        for (int x = f.left; x <= f.right; ++x) {
            if (near(picture.at(x, y), colour, 14)) return true;
        }
    }
    return false;
}

class DemoPictures : public DemoCharacters {
protected:
    Bitmap picture(const std::vector<LoadedSknModel>& models) {
        std::vector<ModelWithTexture> drawn;
        for (const LoadedSknModel& one : models) drawn.push_back({&one.model, &one.texture});
        return RenderPreviewPicture(drawn, kWidth, kHeight, kBackground, PreviewView(), context.procLookup());
    }

    SurfacelessGlContext context;  // throws, and so fails the test, without OpenGL
    const Rgb background{0x10, 0x20, 0x40};
};

void expectCentred(const Figure& f) {
    EXPECT_NEAR(f.left + f.width() / 2.0, kWidth / 2.0, kWidth * 0.15) << "centred across";
    EXPECT_NEAR(f.top + f.height() / 2.0, kHeight / 2.0, kHeight * 0.15) << "centred up and down";
}

// People stand upright in the middle of the preview: hair on top, their
// clothes' top and bottom below it, shoes at the feet.
TEST_F(DemoPictures, PeopleStandUprightInTheMiddleDressedHeadToFoot) {
    for (const char* file : {"User00001", "User00002", "User00003", "User00004"}) {
        const Sim& sim = character(file);
        SCOPED_TRACE(sim.FileName + " " + sim.AgeGroup);
        const auto models = everydayModels(sim);
        const Bitmap shown = picture(models);
        const Figure f = figureIn(shown, background);
        ASSERT_GT(f.height(), kHeight / 3) << "a figure, not a speck";
        EXPECT_GT(f.height(), 2 * f.width()) << "taller than wide";
        expectCentred(f);
        const Bitmap& head = modelOn(models, "HEAD").texture;
        const Bitmap& body = modelOn(models, "PELVIS").texture;
        EXPECT_TRUE(showsBetween(shown, f, 0.0, 0.06, colourOf(head, head_areas::kHair))) << "hair on top";
        EXPECT_TRUE(showsBetween(shown, f, 0.06, 0.2, colourOf(head, head_areas::kFace))) << "the face below it";
        EXPECT_TRUE(showsBetween(shown, f, 0.25, 0.4, colourOf(body, body_areas::kTop)))
            << "the shirt or dress on the chest";
        EXPECT_TRUE(showsBetween(shown, f, 0.45, 0.55, colourOf(body, body_areas::kBottom)))
            << "trousers or skirt at the hips";
        EXPECT_TRUE(showsBetween(shown, f, 0.96, 1.0, colourOf(body, body_areas::kShoe))) << "shoes at the feet";
        EXPECT_FALSE(showsBetween(shown, f, 0.0, 0.06, colourOf(body, body_areas::kShoe))) << "not upside down";
    }
}

// Animals stand on their paws in the middle of the preview, a good deal
// larger than a speck.
TEST_F(DemoPictures, AnimalsStandOnTheirPawsInTheMiddle) {
    for (const char* file : {"User00006", "User00007"}) {
        const Sim& sim = character(file);
        SCOPED_TRACE(sim.FileName + " " + sim.AgeGroup);
        const auto models = everydayModels(sim);
        const Bitmap shown = picture(models);
        const Figure f = figureIn(shown, background);
        ASSERT_GT(f.height(), kHeight / 4) << "a figure, not a speck";
        expectCentred(f);
        const Bitmap& coat = models.front().texture;
        EXPECT_TRUE(showsBetween(shown, f, 0.9, 1.0, colourOf(coat, coat_areas::kPaw))) << "paws at the bottom";
        EXPECT_TRUE(showsBetween(shown, f, 0.2, 0.6, colourOf(coat, coat_areas::kFace))) << "the head's coat";
        EXPECT_FALSE(showsBetween(shown, f, 0.0, 0.1, colourOf(coat, coat_areas::kPaw))) << "not on its back";
    }
}

// The game's own pictures of a character (full body 45 × 45, head 32 × 32)
// drawn off-screen and compared with reference pictures made by this
// editor, within a tolerance for other Mesa versions. To renew them after a
// deliberate change, run with CORVANE_UPDATE_REFERENCES=1 and look at them.
class DemoReferencePictures : public DemoPictures {
protected:
    static std::filesystem::path referenceFile(const std::string& name) {
        return std::filesystem::path(CORVANE_SOURCE_DIR) / "tests" / "data" / "pictures" / (name + ".bmp");
    }
};

TEST_F(DemoReferencePictures, FullBodyAndHeadPicturesMatchTheReferences) {
    const bool update = std::getenv("CORVANE_UPDATE_REFERENCES") != nullptr;
    struct Shot {
        const char* file;
        const char* name;
    };
    for (const Shot shot : {Shot{"User00001", "victor"}, Shot{"User00003", "tess"}, Shot{"User00006", "biscuit"},
                            Shot{"User00007", "pepper"}}) {
        const auto models = everydayModels(character(shot.file));
        std::vector<ModelWithTexture> drawn;
        for (const LoadedSknModel& one : models) drawn.push_back({&one.model, &one.texture});
        for (const auto& [kind, size, suffix] : {std::tuple{0, 45, "body"}, std::tuple{1, 32, "head"}}) {
            const std::string name = std::string(shot.name) + "-" + suffix;
            SCOPED_TRACE(name);
            const Bitmap rendered = RenderOffscreen(drawn, size, size, kind, context.procLookup());
            if (update) {
                std::filesystem::create_directories(referenceFile(name).parent_path());
                const auto bytes = EncodeBmp24(rendered);
                std::ofstream(referenceFile(name), std::ios::binary)
                    .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
                continue;
            }
            const Bitmap reference = LoadBmpWithSizeFix(ReadFileBytes(referenceFile(name)), name);
            ASSERT_EQ(reference.width, rendered.width);
            ASSERT_EQ(reference.height, rendered.height);
            long total = 0;
            int farOff = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const Rgb& a = rendered.at(x, y);
                    const Rgb& b = reference.at(x, y);
                    const int d = std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
                    total += d;
                    farOff += d > 60 ? 1 : 0;
                }
            }
            EXPECT_LT(static_cast<double>(total) / (size * size * 3), 4.0) << "mean difference per channel";
            EXPECT_LE(farOff, size * size / 20) << "pixels far off";
        }
    }
}

}  // namespace
}  // namespace corvane
