#include "skins/FarArchive.h"
#include "skins/SkinCatalogueBuilder.h"

#include "demo/GameBuilder.h"
#include "platform/FormatError.h"
#include "platform/LanguageModule.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// Archives under a kilobyte are not read: every test archive carries filler.
FarArchiveFile filler() {
    return {"filler.dat", std::vector<std::uint8_t>(1024, 0xA3)};
}

std::vector<std::string> names(const std::optional<std::vector<FarRecordDetails>>& list) {
    std::vector<std::string> out;
    for (const auto& record : list.value()) {
        out.push_back(record.EntryName);
    }
    return out;
}

// Remembers what a catalogue build shows.
struct RecordingProgress : Progress {
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    void showWarning(const std::string& text) override { warnings.push_back(text); }
    void setMaximum(int value) override { maximum = value; }
    void setPosition(int value) override { position = value; }
    std::vector<std::string> statuses;
    std::vector<std::string> warnings;
    int maximum = -1;
    int position = -1;
};

class SkinCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse(
            "6151\tReading meshes of\n6152\tReading skins of\n7095\tMeshes\n7096\tSkins\n", "t.lng"));
        game.installation(7);
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    void archive(const std::string& relative, std::vector<FarArchiveFile> files) {
        files.push_back(filler());
        game.writeArchive(relative, files);
    }
    void load() { LoadSkinData(catalogue, SkinFolders(game.root(), 7), progress); }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    SkinCatalogue catalogue;
    RecordingProgress progress;
};

TEST(FarArchive, EntriesGoToTheirListsByName) {
    using enum CharacterEntryKind;
    struct Case { const char* name; CharacterEntryKind kind; bool mesh; };
    for (auto [name, kind, mesh] : {
             Case{"XSKIN-Test.SKN", Skip, true},
             Case{"xskin-b001mafit_01-PELVIS-BODY.bmf", Skip, true},
             Case{"b001mafit_01.cmx.bcf", Character, false},
             Case{"B001MAFIT_01.CMX.BCF", Character, false},
             Case{"anything.BMP", Texture, false},
             Case{"adult-skeleton.cmx.bcf", Character, false},
             Case{"ADULT-SKELETON.cmx.bcf", Skip, false},
             Case{"child-censor.cmx.bcf", Character, false},
             Case{"readme.txt", Skip, false},
             Case{"b001mafit_01.cmx", Skip, false},
         }) {
        EXPECT_EQ(ClassifyCharacterEntry(name), kind) << name;
        EXPECT_EQ(IsMeshEntry(name), mesh) << name;
    }
}

TEST_F(SkinCatalogueTest, ArchivesAreReadInTheirOrderWithFoldersDroppedFromNames) {
    archive("ExpansionPack7/ExpansionPack7.far", {{"xskin-last.skn", bytesOf("z")}});
    archive("GameData/Animation/Animation.far",
            {{"D:\\Sims\\GameData\\Skins\\xskin-first.skn", bytesOf("a")}, {"b001mafit_01.cmx.bcf", bytesOf("b")}});
    archive("GameData/textures/TEXTURES.FAR", {{"textures\\huaolgt.bmp", bytesOf("t")}});
    game.writeArchive("Deluxe/Deluxe.far", {{"xskin-small.skn", bytesOf("s")}});  // under a kilobyte
    game.writeText("GameData/Skins/xskin-loose-PELVIS-BODY.skn", "mesh");
    load();

    EXPECT_EQ(names(catalogue.ArchiveMeshEntries), (std::vector<std::string>{"xskin-first.skn", "xskin-last.skn"}));
    EXPECT_EQ(names(catalogue.ArchiveCharacterEntries), std::vector<std::string>{"b001mafit_01.cmx.bcf"});
    EXPECT_EQ(names(catalogue.ArchiveTextureEntries), std::vector<std::string>{"huaolgt.bmp"});
    ASSERT_EQ(catalogue.SknFileList->size(), 1u);
    EXPECT_FALSE(catalogue.ArchiveReadError);

    const FarRecordDetails& first = catalogue.ArchiveMeshEntries->front();
    EXPECT_EQ(first.Size, 1);
    EXPECT_EQ(ReadArchiveEntry(first), bytesOf("a"));
    EXPECT_EQ(progress.warnings, (std::vector<std::string>{"Meshes", "Skins"}));
    EXPECT_EQ(progress.statuses.front(), "Reading meshes of Animation.far ...");
    EXPECT_EQ(progress.statuses.back(), "Reading skins of ExpansionPack7.far ...");
    EXPECT_EQ(progress.maximum, 3);
    EXPECT_EQ(progress.position, 3);
}

TEST_F(SkinCatalogueTest, WithoutArchivesTheListsAreEmptyButTheLooseMeshesAreThere) {
    game.writeText("GameData/Skins/xskin-loose-PELVIS-BODY.skn", "mesh");
    load();
    ASSERT_TRUE(catalogue.complete());
    EXPECT_TRUE(catalogue.ArchiveMeshEntries->empty());
    EXPECT_TRUE(catalogue.ArchiveCharacterEntries->empty());
    EXPECT_TRUE(catalogue.ArchiveTextureEntries->empty());
    EXPECT_EQ(catalogue.SknFileList->size(), 1u);
}

TEST_F(SkinCatalogueTest, ADamagedArchiveEndsThePassesAndFlagsTheMeshPass) {
    archive("GameData/Animation/Animation.far", {{"xskin-one.skn", bytesOf("1")}, {"a.bmp", bytesOf("1")}});
    archive("GameData/Textures/Textures.far", {{"xskin-two.skn", bytesOf("2")}});
    auto third = game.writeArchive("ExpansionPack/ExpansionPack.far", {{"xskin-three.skn", bytesOf("3")}, filler()});
    std::filesystem::resize_file(third, std::filesystem::file_size(third) - 5);  // the directory is cut short
    archive("ExpansionShared/ExpansionShared.far", {{"xskin-four.skn", bytesOf("4")}, {"b.bmp", bytesOf("4")}});
    game.writeText("GameData/Skins/xskin-loose-PELVIS-BODY.skn", "mesh");
    load();

    EXPECT_TRUE(catalogue.ArchiveReadError);
    EXPECT_EQ(names(catalogue.ArchiveMeshEntries), (std::vector<std::string>{"xskin-one.skn", "xskin-two.skn"}));
    EXPECT_TRUE(catalogue.SknFileList->empty()) << "the loose meshes are not listed after an archive error";
    EXPECT_EQ(names(catalogue.ArchiveTextureEntries), std::vector<std::string>{"a.bmp"})
        << "the character pass stops at the damaged archive too";
}

TEST_F(SkinCatalogueTest, ABuiltCatalogueIsKeptUntilDiscarded) {
    load();
    game.writeText("GameData/Skins/xskin-new-PELVIS-BODY.skn", "mesh");
    load();
    EXPECT_TRUE(catalogue.SknFileList->empty()) << "built once, kept";
    DiscardSkinCatalogue(catalogue);
    EXPECT_FALSE(catalogue.ArchiveMeshEntries.has_value());
    load();
    EXPECT_EQ(catalogue.SknFileList->size(), 1u);
}

TEST(FarArchive, BrokenDirectoriesAreRejected) {
    auto le = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    struct Case { const char* fault; std::vector<std::uint8_t> directory; };
    std::vector<Case> cases;
    {
        std::vector<std::uint8_t> d;
        le(d, 0x40000000);
        cases.push_back({"huge_count", d});
    }
    {
        std::vector<std::uint8_t> d;
        le(d, 1); le(d, 1); le(d, 1); le(d, 0); le(d, 50);
        d.push_back('x');
        cases.push_back({"name_past_end", d});
    }
    {
        std::vector<std::uint8_t> d;
        le(d, 1); le(d, 1); le(d, 1); le(d, 0); le(d, 0xFFFFFFFF);
        cases.push_back({"negative_name_length", d});
    }
    {
        std::vector<std::uint8_t> d;
        le(d, 2); le(d, 1); le(d, 1); le(d, 0); le(d, 1);
        d.push_back('x');
        cases.push_back({"entry_past_end", d});
    }
    cases.push_back({"count_missing", {1, 2}});
    for (const Case& c : cases) {
        EXPECT_THROW(ParseFarDirectory(c.directory, 100, "x.far"), FormatError) << c.fault;
    }

    test::TempDir folder;
    GameBuilder files(folder.path());
    auto shortFile = files.writeText("short.far", "FAR!by");
    EXPECT_THROW(ReadFarDirectory(shortFile), FormatError) << "header_too_short";
    auto pastEnd = files.writeText("past.far", std::string("FAR!byAZ\1\0\0\0\xFF\xFF\0\0", 16));
    EXPECT_THROW(ReadFarDirectory(pastEnd), FormatError) << "directory_past_end";
}

TEST(FarArchive, AnEntryOutsideItsArchiveIsAnError) {
    test::TempDir folder;
    GameBuilder files(folder.path());
    auto path = files.writeArchive("a.far", {{"x.bmp", bytesOf("abc")}});
    FarRecordDetails entry{3, 3, 16, path, "x.bmp"};
    EXPECT_EQ(ReadArchiveEntry(entry), bytesOf("abc"));
    entry.Size = 100000;
    EXPECT_THROW(ReadArchiveEntry(entry), FormatError);
    entry.Size = 3;
    entry.Offset = -4;
    EXPECT_THROW(ReadArchiveEntry(entry), FormatError);
}

}  // namespace
}  // namespace corvane
