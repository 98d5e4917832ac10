// The six pictures the game keeps of a character, drawn of the demo
// characters without a display; then written for the save and taken into the
// character file. Fails, never skips, when no context can be made.
#include "TestPaths.h"
#include "render/CharacterImages.h"

#include "demo/DemoInstallation.h"
#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "render/SurfacelessGlContext.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr int kDemoLevel = 7;

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

Rgb backgroundOf(ImageKind kind) {
    const RgbF c = OffscreenClearColour(kind);
    const auto byte = [](float f) { return static_cast<std::uint8_t>(std::lround(f * 255.0f)); };
    return {byte(c.r), byte(c.g), byte(c.b)};
}

// The share of a tile's pixels within `tolerance` of `colour`.
double shareNear(const Bitmap& picture, int left, int width, const Rgb& colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = left; x < left + width; ++x) count += near(picture.at(x, y), colour, tolerance) ? 1 : 0;
    }
    return static_cast<double>(count) / (width * picture.height);
}

// The chunks of a run of whole chunks: type, id and label of each.
struct ChunkHead {
    std::string type;
    int id;
    std::string label;
};
std::vector<ChunkHead> chunkHeads(const Bytes& run) {
    std::vector<ChunkHead> heads;
    for (std::size_t at = 0; at + kChunkHeaderSize <= run.size();) {
        const auto size = static_cast<std::size_t>(ReadBigEndian(run, at + 4, 4));
        if (size < kChunkHeaderSize) break;
        heads.push_back({std::string(run.begin() + static_cast<std::ptrdiff_t>(at),
                                     run.begin() + static_cast<std::ptrdiff_t>(at) + 4),
                         ReadBigEndian(run, at + 8, 2), ReadChunkLabel(run, at + 12).c_str()});
        at += size;
    }
    return heads;
}

class CharacterImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::load(fs::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
        game = EnsureDemoInstallation(dir.path());
        open();
        LoadSkinData(GameSkinCatalogue(), folders(), progress);
    }
    void TearDown() override {
        SetLanguageModule(LanguageModule());
        DiscardSkinCatalogue(GameSkinCatalogue());
    }

    void open() {
        NeighbourhoodLoadSettings load;
        load.folder = game / "UserData";
        load.expansionLevel = kDemoLevel;
        load.hasFameFolders = true;
        load.applicationFolder = app();
        OpenedNeighbourhood opened = OpenNeighbourhood(load, dialogs, progress);
        list.assign(std::move(opened.characters), std::move(opened.thumbnails), opened.imageStamp);
    }
    SkinFolders folders() const { return SkinFolders(game, kDemoLevel); }
    fs::path app() const { return dir.path() / "app"; }
    Sim& sim(const std::string& file) const {
        for (Sim* s : list.sims()) {
            if (s->FileName == file) return *s;
        }
        throw std::runtime_error("no demo character " + file);
    }
    std::vector<CharacterImage> picturesOf(const Sim& s) {
        const PreviewModelSet set = LoadEverydayModels(s, folders(), GameSkinCatalogue(), dialogs, app());
        return RenderCharacterImages(ModelsToDraw(set), context.procLookup());
    }

    test::TempDir dir;
    test::EnvOverride home{"CORVANE_HOME", (dir.path() / "app").string()};
    test::EnvOverride data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    SurfacelessGlContext context;
    fs::path game;
    CharacterList list;
    test::ScriptedDialogs dialogs;  // any message fails the test
    SilentProgress progress;
};

TEST_F(CharacterImagesTest, EveryDemoCharacterGetsSixEightBitPicturesOfTheTableSizes) {
    const auto& table = CharacterImageTable();
    ASSERT_EQ(list.size(), 7u);
    for (const Sim* s : list.sims()) {
        SCOPED_TRACE(s->FileName + " " + s->AgeGroup);
        const std::vector<CharacterImage> images = picturesOf(*s);
        ASSERT_EQ(images.size(), table.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            SCOPED_TRACE(std::string(table[i].label));
            const Bitmap& picture = images[i].picture;
            EXPECT_EQ(images[i].spec, &table[i]);
            EXPECT_EQ(picture.width, table[i].width);
            EXPECT_EQ(picture.height, table[i].height);
            EXPECT_EQ(picture.bitDepth, 8);
            ASSERT_TRUE(picture.hasIndices());
            EXPECT_LE(picture.palette.size(), 236u);
            for (std::uint8_t index : picture.indices) ASSERT_LT(index, picture.palette.size());
        }
    }
}

// Each tile has its own camera and background: a tile drawn twice, or drawn
// with the wrong kind, shows another background or the same face turn.
TEST_F(CharacterImagesTest, EachTileShowsItsBackgroundAndTheCharacter) {
    for (const char* file : {"User00001", "User00003", "User00006", "User00007"}) {
        const Sim& s = sim(file);
        SCOPED_TRACE(s.FileName + " " + s.AgeGroup);
        const std::vector<CharacterImage> images = picturesOf(s);
        ASSERT_EQ(images.size(), 6u);
        for (const CharacterImage& image : images) {
            const CharacterImageSpec& spec = *image.spec;
            const int tileWidth = spec.width / static_cast<int>(spec.tiles.size());
            for (std::size_t t = 0; t < spec.tiles.size(); ++t) {
                SCOPED_TRACE(std::string(spec.label) + " tile " + std::to_string(t));
                const Rgb background = backgroundOf(spec.tiles[t]);
                const int left = static_cast<int>(t) * tileWidth;
                const double share = shareNear(image.picture, left, tileWidth, background, 24);
                // The faces fill their tiles nearly to the edges.
                EXPECT_GT(share, 0.02) << "the background of kind " << spec.tiles[t] << " shows";
                EXPECT_LT(share, 0.97) << "the character fills part of the tile";
            }
        }
        // The three face tiles share a background; the head turns between them.
        const Bitmap& faces = images[5].picture;
        for (int t = 0; t + 1 < 3; ++t) {
            int differing = 0;
            for (int y = 0; y < faces.height; ++y) {
                for (int x = 0; x < 35; ++x) {
                    differing += near(faces.at(t * 35 + x, y), faces.at((t + 1) * 35 + x, y), 24) ? 0 : 1;
                }
            }
            EXPECT_GT(differing, 35 * 41 / 20) << "face tiles " << t << " and " << t + 1 << " differ";
        }
    }
}

TEST_F(CharacterImagesTest, NothingToDrawIsRefusedAndLeavesAnEarlierFileAsItWas) {
    EXPECT_THROW(RenderCharacterImages({}, context.procLookup()), std::runtime_error);

    const fs::path waiting = CharacterImageFile(app(), "User00001");
    fs::create_directories(app());
    std::ofstream(waiting, std::ios::binary) << "earlier";
    // A skeleton that does not parse leaves every model out.
    std::ofstream(game / "GameData" / "Skins" / "adult-skeleton.cmx", std::ios::binary)
        << "// demo\r\nadult-skeleton\r\n0\r\nadult\r\nmany\r\n";
    try {
        MakeCharacterImages(sim("User00001"), folders(), GameSkinCatalogue(), dialogs, context.procLookup(), app());
        ADD_FAILURE() << "drawn";
    } catch (const NothingToDraw& error) {
        EXPECT_NE(std::string(error.what()).find("nothing of User00001 can be drawn: skeleton adult-skeleton.cmx"),
                  std::string::npos)
            << error.what();
    }
    const Bytes kept = ReadFileBytes(waiting);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "earlier");
}

// The file waits for the save, which takes its chunks into the character
// file at expansion level 5 only; at other levels the character keeps no pictures.
TEST_F(CharacterImagesTest, MadeImagesWaitForTheSaveWhichTakesThemAtLevel5Only) {
    const struct {
        int level;
        bool taken;
    } cases[] = {{5, true}, {7, false}, {4, false}};
    const auto& table = CharacterImageTable();
    for (const auto& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level));
        Sim& victor = sim("User00001");
        MakeCharacterImages(victor, folders(), GameSkinCatalogue(), dialogs, context.procLookup(), app());
        const fs::path waiting = CharacterImageFile(app(), "User00001");
        const Bytes made = ReadFileBytes(waiting);
        const std::vector<ChunkHead> heads = chunkHeads(made);
        ASSERT_EQ(heads.size(), table.size());
        for (std::size_t i = 0; i < heads.size(); ++i) {
            EXPECT_EQ(heads[i].type, "BMP_");
            EXPECT_EQ(heads[i].id, table[i].chunkId);
            EXPECT_EQ(heads[i].label, table[i].label);
        }
        const std::optional<Bitmap> thumbnail = ThumbnailOfCharacterImages(made);
        ASSERT_TRUE(thumbnail);
        EXPECT_EQ(thumbnail->width, 25);
        EXPECT_EQ(thumbnail->height, 25);

        victor.Modified = true;
        dialogs.answer(mrYes);
        CharacterSaveSettings settings;
        settings.gameFolder = game;
        settings.neighbourhoodFolder = game / "UserData";
        settings.applicationFolder = app();
        settings.expansionLevel = c.level;
        CharacterSaveServices services{dialogs, progress, [&]() -> const SkinCatalogue& { return GameSkinCatalogue(); }};
        SaveModifiedCharacters(list, settings, services);
        EXPECT_FALSE(fs::exists(waiting)) << "the save used the waiting file up";

        const Bytes saved = ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff");
        Bytes images;
        for (const Section& s : ReadChunkList(saved).sections) {
            if (s.ChunkType == "BMP_") images.insert(images.end(), saved.begin() + s.ChunkOffset, saved.begin() + s.ChunkOffset + s.ChunkSize);
        }
        EXPECT_EQ(images, c.taken ? made : Bytes{}) << "the chunks as they were made, in table order";
        open();
    }
}

}  // namespace
}  // namespace corvane
