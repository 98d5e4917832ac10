#include "skins/SkinListing.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/Progress.h"
#include "skins/FolderListingCache.h"
#include "skins/MeshCheckCache.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

using Names = std::vector<std::string>;

// The mesh every sound character file of these tests names; the archive holds it.
const std::string kKnownMesh = "xskin-known-PELVIS-BODY";

class SkinListingTest : public ::testing::Test {
protected:
    void SetUp() override { SharedMeshChecks().clear(); }

    // A character file at `relative` whose suit name is its own base name
    // (or `suitName`), wearing `mesh`.
    void characterFile(const std::string& relative, const std::string& suitName = {},
                       const std::string& mesh = kKnownMesh) {
        const std::string stem = std::filesystem::path(relative).stem().string();
        game.writeText(relative, JoinCrLf(CharacterFileLines(SampleSuit(suitName.empty() ? stem : suitName, "PELVIS", mesh))));
    }
    void texture(const std::string& relative) { game.writeText(relative, "BM"); }
    // A new, empty game for one case of a table.
    void freshGame(int level) {
        game = GameBuilder(folder.path() / ("game" + std::to_string(++games)));
        game.installation(level);
        folders = SkinFolders(game.root(), level);
    }
    // The archive of the game: the known mesh, `names` (character files and
    // textures; only their names matter here) and filler to make it count.
    void archive(const Names& names) {
        std::vector<FarArchiveFile> files{{kKnownMesh + ".bmf", {1}}, {"filler.dat", std::vector<std::uint8_t>(1024, 0)}};
        for (const std::string& name : names) files.push_back({"Skins\\" + name, {2}});
        game.writeArchive("GameData/Textures/Textures.far", files);
    }
    const SkinCatalogue& catalogue() {
        DiscardSkinCatalogue(built);
        SilentProgress quiet;
        LoadSkinData(built, folders, quiet);
        return built;
    }
    SkinList meshes(const std::string& stored, const std::string& mask, int positions, Dialogs* dialogs = nullptr,
                    unsigned seed = 1) {
        std::mt19937 random(seed);
        const SkinCatalogue& skins = catalogue();
        return FillMeshList({folders, skins}, stored, mask, positions, random, dialogs);
    }
    SkinList textures(const std::string& stored, const std::string& mask, const TextureOwner& owner = {}) {
        const SkinCatalogue& skins = catalogue();
        return FillTextureList({folders, skins}, stored, mask, owner);
    }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    SkinFolders folders{(game.installation(7), game.root()), 7};
    SkinCatalogue built;
    int games = 0;
};

TEST(MatchArchiveEntries, ComparesTheMaskPositionsBeforeItsLastFive) {
    const std::vector<FarRecordDetails> entries{
        {0, 0, 0, "a.far", "b001mafit_01.cmx.bcf"}, {0, 0, 0, "a.far", "B002MAFit_x.cmx.bcf"},
        {0, 0, 0, "a.far", "b001fafit_x.cmx.bcf"},  {0, 0, 0, "a.far", "c2o1mafit.cmx.bcf"},
        {0, 0, 0, "a.far", "C2O1mafit.cmx.bcf"},    {0, 0, 0, "a.far", "b1ma.cmx.bcf"},
    };
    struct Case { const char* mask; Names matched; };
    const Case cases[] = {
        {"b***mafit*.cmx", {"b001mafit_01.cmx.bcf", "B002MAFit_x.cmx.bcf"}},
        // "c2o" is left out in its exact case only; a name shorter than the mask's checked part never matches.
        {"***1mafit*.cmx", {"C2O1mafit.cmx.bcf", "b001mafit_01.cmx.bcf"}},
        {"*.cmx", {"b001mafit_01.cmx.bcf", "B002MAFit_x.cmx.bcf", "b001fafit_x.cmx.bcf", "C2O1mafit.cmx.bcf",
                   "b1ma.cmx.bcf"}},
        {"*.bm", {"b001mafit_01.cmx.bcf", "B002MAFit_x.cmx.bcf", "b001fafit_x.cmx.bcf", "c2o1mafit.cmx.bcf",
                  "C2O1mafit.cmx.bcf", "b1ma.cmx.bcf"}},
    };
    for (const Case& c : cases) {
        Names matched;
        MatchArchiveEntries(entries, c.mask, matched);
        std::multiset<std::string> got(matched.begin(), matched.end()), wanted(c.matched.begin(), c.matched.end());
        EXPECT_EQ(got, wanted) << c.mask;
    }
}

TEST_F(SkinListingTest, MeshListsKeepEachFittingMeshOnceInSortedOrder) {
    struct Case {
        const char* what;
        Names loose;
        Names archived;
        std::string mask;
        int positions;
        std::string stored;
        Names entries;
        int selected;
    };
    const Case cases[] = {
        {"found in two folders and in the archive: listed once, the first folder's spelling",
         {"ExpansionShared/Skins/B001MAFit_01.cmx", "GameData/Skins/b001mafit_01.cmx", "GameData/Skins/b002mafit_x.cmx"},
         {"b001mafit_01.cmx.bcf", "b003mafit_z.cmx.bcf"},
         "b***mafit*.cmx", 6, "b002mafit_x.cmx",
         {"b001mafit_01", "b002mafit_x", "b003mafit_z"}, 1},
        {"c2a, c2c and c2o names never listed",
         {"GameData/Skins/c2a1ma_hat.cmx", "GameData/Skins/c001ma_bob.cmx"},
         {"c2cxma_cap.cmx.bcf", "c2o1ma_x.cmx.bcf"},
         "c***ma*.cmx", 6, "c001ma_bob.cmx", {"c001ma_bob"}, 0},
        {"six positions: a loose name with a short series and the woman's archive body are rejected",
         {"GameData/Skins/b01mafit_x.cmx", "GameData/Skins/b001mafit_01.cmx"},
         {"b001fafit_x.cmx.bcf"},
         "b***mafit*.cmx", 6, "b001mafit_01.cmx", {"b001mafit_01"}, 0},
        {"four positions: the short series passes",
         {"GameData/Skins/b01mafit_x.cmx", "GameData/Skins/b001mafit_01.cmx"},
         {"b001fafit_x.cmx.bcf"},
         "b***mafit*.cmx", 4, "b001mafit_01.cmx", {"b001mafit_01", "b01mafit_x"}, 0},
        {"formal hands: the archive's and the player's loose hands",
         {"GameData/Skins/hmlo_mine.cmx", "Deluxe/Skins/gmlo_own.cmx", "GameData/Skins/xmlo_other.cmx",
          "GameData/Skins/hmro_right.cmx"},
         {"gmlo_glove.cmx.bcf", "hmlo.cmx.bcf"},
         "*mlo*.cmx", 4, "hmlo_mine.cmx", {"gmlo_glove", "gmlo_own", "hmlo", "hmlo_mine"}, 3},
        {"the stored mesh selects the lowest entry it begins",
         {"GameData/Skins/b001mafit_casualx.cmx", "GameData/Skins/b001mafit_casual.cmx", "GameData/Skins/b001mafit_a.cmx"},
         {}, "b***mafit*.cmx", 6, "B001MAfit_casual.cmx", {"b001mafit_a", "b001mafit_casual", "b001mafit_casualx"}, 1},
        {"only a longer name listed: that one",
         {"GameData/Skins/b001mafit_casualx.cmx", "GameData/Skins/b001mafit_a.cmx"},
         {}, "b***mafit*.cmx", 6, "b001mafit_casual.cmx", {"b001mafit_a", "b001mafit_casualx"}, 1},
        {"a single entry is selected when the stored mesh is not installed",
         {"GameData/Skins/b001mafit_a.cmx"}, {}, "b***mafit*.cmx", 6, "b009mafit_gone.cmx", {"b001mafit_a"}, 0},
        {"nothing fits: nothing selected", {"GameData/Skins/b001fafit_a.cmx"}, {}, "b***mafit*.cmx", 6,
         "b001mafit_a.cmx", {}, -1},
    };
    for (const Case& c : cases) {
        freshGame(7);
        for (const std::string& file : c.loose) characterFile(file);
        archive(c.archived);
        const SkinList list = meshes(c.stored, c.mask, c.positions);
        EXPECT_EQ(list.entries, c.entries) << c.what;
        EXPECT_EQ(list.selected, c.selected) << c.what;
    }
}

TEST_F(SkinListingTest, AnUninstalledStoredMeshGetsARandomEntryButNeverTheLast) {
    archive({});
    for (const char* name : {"b001mafit_a", "b001mafit_b", "b001mafit_c"}) {
        characterFile(std::string("GameData/Skins/") + name + ".cmx");
    }
    std::set<int> drawn;
    for (unsigned seed = 0; seed < 200; ++seed) {
        drawn.insert(meshes("b009mafit_gone.cmx", "b***mafit*.cmx", 6, nullptr, seed).selected);
    }
    EXPECT_EQ(drawn, (std::set<int>{0, 1}));

    std::filesystem::remove(game.root() / "GameData/Skins/b001mafit_c.cmx");
    for (unsigned seed = 0; seed < 50; ++seed) {
        ASSERT_EQ(meshes("b009mafit_gone.cmx", "b***mafit*.cmx", 6, nullptr, seed).selected, 0) << "of two, the first";
    }
}

TEST_F(SkinListingTest, ARefusedMeshFileIsSaidOnEveryListingAndLeftOut) {
    archive({});
    characterFile("GameData/Skins/b001mafit_ok.cmx");
    characterFile("GameData/Skins/b001mafit_renamed.cmx", "b001mafit_other");
    for (int listing = 0; listing < 2; ++listing) {
        test::ScriptedDialogs dialogs;
        dialogs.answer(mrOk);
        const SkinList list = meshes("b001mafit_ok.cmx", "b***mafit*.cmx", 6, &dialogs);
        EXPECT_EQ(list.entries, Names{"b001mafit_ok"});
        ASSERT_EQ(dialogs.messages().size(), 1u) << "listing " << listing;
        EXPECT_NE(dialogs.messages().front().text.find("b001mafit_renamed.cmx"), std::string::npos);
    }
}

TEST_F(SkinListingTest, TheCheckIsRunAgainWhenTheFileOrTheCataloguesMeshesChange) {
    archive({});
    const std::string file = "GameData/Skins/b001mafit_a.cmx";
    characterFile(file);
    ASSERT_EQ(meshes("", "b***mafit*.cmx", 6).entries, Names{"b001mafit_a"});

    characterFile(file, "", "xskin-new-PELVIS-BODY");  // another size: read again, the mesh is missing
    test::ScriptedDialogs dialogs;
    dialogs.answer(mrOk);
    EXPECT_TRUE(meshes("", "b***mafit*.cmx", 6, &dialogs).entries.empty());
    EXPECT_EQ(dialogs.messages().size(), 1u);

    // The file stays as it is; the rebuilt catalogue now knows its mesh.
    game.writeText("GameData/Skins/xskin-new-PELVIS-BODY.skn", "mesh");
    EXPECT_EQ(meshes("", "b***mafit*.cmx", 6).entries, Names{"b001mafit_a"});
}

TEST_F(SkinListingTest, RandomSkinDrawsOnEveryCheckedName) {
    // Walk order: GameData's two files, then the archive's entry.
    characterFile("GameData/Skins/b002mafit_b.cmx");
    characterFile("GameData/Skins/b003mafit_c.cmx");
    characterFile("GameData/Skins/c2a1mafit_hat.cmx");
    archive({"b001mafit_a.cmx.bcf"});
    const SkinCatalogue& skins = catalogue();
    std::set<std::string> drawn;
    for (unsigned seed = 0; seed < 100; ++seed) {
        std::mt19937 random(seed);
        drawn.insert(PickRandomSkin({folders, skins}, "b***mafit*.cmx", random, nullptr));
    }
    EXPECT_EQ(drawn, (std::set<std::string>{"b002mafit_b", "b003mafit_c", "b001mafit_a"}))
        << "the last name too, but never the accessory";
    std::mt19937 random(7);
    EXPECT_EQ(PickRandomSkin({folders, skins}, "w***mafit*.cmx", random, nullptr), "");
}

TEST_F(SkinListingTest, TextureListsFilterHandTexturesAndSelectTheStoredOne) {
    struct Case {
        const char* what;
        Names loose;
        Names archived;
        std::string mask;
        TextureOwner owner;
        std::string stored;
        Names entries;
        int selected;
    };
    const Case cases[] = {
        {"formal hands of a light man: loose of every tone, archive of his tone or none",
         {"GameData/Skins/huaolgt.bmp", "GameData/Skins/huaomed.bmp", "GameData/Skins/huaodrk.bmp"},
         {"hmaomed_x.bmp", "hmaolgt_x.bmp", "hfao_plain.bmp", "huaolgt_hobo.bmp", "hfaolgt_bride.bmp", "HMAOdrk.bmp"},
         "h**o*.bmp", {0, "lgt"}, "huaolgt.bmp",
         {"huaodrk", "huaolgt", "huaomed", "hmaolgt_x", "hfao_plain"}, 1},
        {"a woman may wear the bride's hands",
         {}, {"hfaolgt_bride.bmp", "hfaomed_bride.bmp"}, "h**o*.bmp", {1, "lgt"}, "", {"hfaolgt_bride"}, 0},
        {"found in two folders and in the archive: listed once",
         {"GameData/Skins/b001mafitlgt_a.bmp", "ExpansionShared/Skins/B001MAFitlgt_a.bmp"},
         {"b001mafitlgt_a.bmp", "b001mafitlgt_b.bmp"}, "b001mafitlgt*.bmp", {}, "b001mafitlgt_b.bmp",
         {"b001mafitlgt_a", "b001mafitlgt_b"}, 1},
        {"the stored texture itself stops the upward walk",
         {"GameData/Skins/b001mafitlgt_casualx.bmp", "Deluxe/Skins/b001mafitlgt_casual.bmp"}, {},
         "b001mafitlgt*.bmp", {}, "b001mafitlgt_casual.bmp", {"b001mafitlgt_casualx", "b001mafitlgt_casual"}, 1},
        {"else the highest entry it begins",
         {"GameData/Skins/b001mafitlgt_a.bmp", "GameData/Skins/b001mafitlgt_casualx.bmp",
          "GameData/Skins/b001mafitlgt_casualy.bmp"},
         {}, "b001mafitlgt*.bmp", {}, "b001mafitlgt_casual.bmp",
         {"b001mafitlgt_a", "b001mafitlgt_casualx", "b001mafitlgt_casualy"}, 1},
        {"not listed: the first", {"GameData/Skins/b001mafitlgt_a.bmp", "GameData/Skins/b001mafitlgt_b.bmp"}, {},
         "b001mafitlgt*.bmp", {}, "b001mafitlgt_gone.bmp", {"b001mafitlgt_a", "b001mafitlgt_b"}, 0},
        {"empty: nothing", {}, {}, "b001mafitlgt*.bmp", {}, "b001mafitlgt_a.bmp", {}, -1},
        {"\"*\" masks keep open hands of the owner's gender",
         {"GameData/Skins/hfaolgt.bmp", "GameData/Skins/hmaclgt.bmp", "GameData/Skins/hmaolgt.bmp",
          "GameData/Skins/huaolgt.bmp", "GameData/Skins/xaolgt.bmp"},
         {}, "*a*.bmp", {0, "lgt"}, "", {"hmaolgt", "huaolgt"}, 0},
        {"the last entry is never deleted", {"GameData/Skins/hmaclgt.bmp"}, {}, "*a*.bmp", {0, "lgt"}, "",
         {"hmaclgt"}, 0},
    };
    for (const Case& c : cases) {
        freshGame(7);
        for (const std::string& file : c.loose) texture(file);
        archive(c.archived);
        const SkinList list = textures(c.stored, c.mask, c.owner);
        EXPECT_EQ(list.entries, c.entries) << c.what;
        EXPECT_EQ(list.selected, c.selected) << c.what;
    }
}

// Choosing it would open it, and a FIFO's open waits for a writer for ever.
TEST_F(SkinListingTest, AFifoNamedAsATextureIsNotListed) {
    freshGame(7);
    texture("GameData/Skins/b001mafitlgt_a.bmp");
    ASSERT_EQ(::mkfifo((game.root() / "GameData/Skins/b001mafitlgt_fifo.bmp").c_str(), 0600), 0);
    archive({});
    EXPECT_EQ(textures("", "b001mafitlgt*.bmp").entries, Names{"b001mafitlgt_a"});
}

TEST_F(SkinListingTest, PagesAddTheirPajamaAndNudeEntriesAndPreselectTheNudeDefault) {
    struct Case {
        const char* what;
        SkinSlot slot;
        int age;
        int level;
        Names loose;
        std::string stored;
        Names entries;
        int selected;
    };
    const Case cases[] = {
        {"older pajamas: the body texture's own, then the _01 one", SkinSlot::Sleepwear, 27, 2,
         {"GameData/Skins/Pajamamlgt_casual.bmp"}, "", {"Pajamamlgt_casual", "Pajamamlgt_01"}, 0},
        {"older pajamas, none installed: the _01 entry selected", SkinSlot::Sleepwear, 27, 2, {}, "",
         {"Pajamamlgt_01"}, 0},
        {"sleepwear: nothing added", SkinSlot::Sleepwear, 27, 3, {"GameData/Skins/l001mafitlgt_a.bmp"},
         "l001mafitlgt_a", {"l001mafitlgt_a"}, 0},
        {"adult nude outside levels 3 and 4: the named default whatever is stored", SkinSlot::Nude, 27, 5,
         {"GameData/Skins/nmfitlgt_casual.bmp", "GameData/Skins/nmfitlgt_casual2.bmp"}, "nmfitlgt_casual2",
         {"nmfitlgt_casual", "nmfitlgt_casual2", "nmfitlgt_01"}, 0},
        {"adult nude at level 3: the stored texture", SkinSlot::Nude, 27, 3,
         {"GameData/Skins/nmfitlgt_01.bmp", "GameData/Skins/nmfitlgt_x.bmp"}, "nmfitlgt_x",
         {"nmfitlgt_01", "nmfitlgt_x"}, 1},
        {"child nude: no adult entry", SkinSlot::Nude, 8, 2, {"GameData/Skins/nuchdlgt_01.bmp"}, "", {"nuchdlgt_01"}, 0},
    };
    for (const Case& c : cases) {
        freshGame(c.level);
        for (const std::string& file : c.loose) texture(file);
        archive({});
        SkinCodes codes;
        codes.SkinAge = c.age;
        codes.BodySize = c.age < 10 ? "chd" : "fit";
        codes.BodyTexture = "b001mafitlgt_casual";
        codes.ExpansionLevel = c.level;
        const std::string mesh = c.slot == SkinSlot::Sleepwear && c.level >= 3 ? "l001mafit_01" : "nmfit_01";
        const SkinCatalogue& skins = catalogue();
        const SkinList list = PageTextureList({folders, skins}, c.slot, codes, mesh, c.stored, TextureOwner{});
        EXPECT_EQ(list.entries, c.entries) << c.what;
        EXPECT_EQ(list.selected, c.selected) << c.what;
    }
}

}  // namespace
}  // namespace corvane
