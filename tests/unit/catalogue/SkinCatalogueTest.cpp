#include "skins/SkinCatalogueBuilder.h"

#include "demo/GameBuilder.h"
#include "platform/LanguageModule.h"
#include "platform/LittleEndian.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Names = std::vector<std::string>;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// Archives under a kilobyte are not read: every test archive carries filler.
FarArchiveFile filler() {
    return {"filler.dat", std::vector<std::uint8_t>(1024, 0xA3)};
}

// `files` padded with one more file so that the archive is exactly `size` bytes long.
std::vector<FarArchiveFile> paddedTo(std::size_t size, std::vector<FarArchiveFile> files) {
    files.push_back({"padding.dat", {}});
    files.back().bytes.resize(size - MakeFarArchive(files).size());
    return files;
}

Names names(const std::optional<std::vector<FarRecordDetails>>& list) {
    Names out;
    for (const auto& record : list.value()) {
        out.push_back(record.EntryName);
    }
    return out;
}

void cutShort(const std::filesystem::path& archive) {
    std::filesystem::resize_file(archive, std::filesystem::file_size(archive) - 5);  // into the directory
}

// Remembers everything a catalogue build shows, in order.
struct RecordingProgress : Progress {
    void showStatus(const std::string& text) override { events.push_back("status " + text); }
    void showWarning(const std::string& text) override { events.push_back("warning " + text); }
    void setMaximum(int value) override { events.push_back("maximum " + std::to_string(value)); }
    void setPosition(int value) override { events.push_back("position " + std::to_string(value)); }
    Names events;
};

class SkinCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse(
            "6151\tReading meshes of\n6152\tReading skins of\n7095\tMeshes\n7096\tSkins\n", "t.lng"));
        game.installation(7);
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    std::filesystem::path archive(const std::string& relative, std::vector<FarArchiveFile> files) {
        files.push_back(filler());
        return game.writeArchive(relative, files);
    }
    std::filesystem::path looseMesh(const std::string& name) {
        return game.writeText("GameData/Skins/" + name + "-PELVIS-BODY.skn", "mesh");
    }
    void load() { LoadSkinData(catalogue, folders, progress); }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    SkinFolders folders{game.root(), 7};
    SkinCatalogue catalogue;
    RecordingProgress progress;
};

TEST_F(SkinCatalogueTest, TheElevenArchivesAreReadInTheGamesOrderWhateverTheirLetterCase) {
    // Written last to first, so that neither creation order nor name order can pass for the game's order.
    const std::vector<std::string> archives{
        "GameData/ANIMATION/animation.FAR",        "GameData/Textures/Textures.far",
        "ExpansionPack/EXPANSIONPACK.FAR",         "expansionshared/ExpansionShared.far",
        "DELUXE/deluxe.far",                       "ExpansionPack2/ExpansionPack2.far",
        "ExpansionPack3/expansionpack3.far",       "ExpansionPack4/ExpansionPack4.far",
        "ExpansionPack5/ExpansionPack5.far",       "ExpansionPack6/ExpansionPack6.far",
        "ExpansionPack7/ExpansionPack7.far"};
    Names expected;
    for (std::size_t i = archives.size(); i-- > 0;) {
        const std::string n = std::to_string(i + 1);
        archive(archives[i], {{"xskin-" + n + ".skn", bytesOf(n)}, {"b" + n + ".cmx.bcf", bytesOf(n)},
                              {"t" + n + ".bmp", bytesOf(n)}});
    }
    game.writeArchive("GameData/Sounds/Sounds.far", {{"xskin-not-a-skin-archive.skn", bytesOf("x")}, filler()});
    load();

    ASSERT_TRUE(catalogue.complete());
    EXPECT_EQ(names(catalogue.ArchiveMeshEntries),
              (Names{"xskin-1.skn", "xskin-2.skn", "xskin-3.skn", "xskin-4.skn", "xskin-5.skn", "xskin-6.skn",
                     "xskin-7.skn", "xskin-8.skn", "xskin-9.skn", "xskin-10.skn", "xskin-11.skn"}));
    EXPECT_EQ(names(catalogue.ArchiveCharacterEntries).front(), "b1.cmx.bcf");
    EXPECT_EQ(names(catalogue.ArchiveCharacterEntries).back(), "b11.cmx.bcf");
    EXPECT_EQ(names(catalogue.ArchiveTextureEntries).size(), 11u);
    EXPECT_FALSE(catalogue.ArchiveReadError);

    const FarRecordDetails& mesh = catalogue.ArchiveMeshEntries->at(4);
    EXPECT_EQ(mesh.ArchivePath.filename(), "deluxe.far") << "the archive as it is on disk";
    EXPECT_EQ(ReadArchiveEntry(mesh), bytesOf("5"));
}

TEST_F(SkinCatalogueTest, AnArchiveIsReadFromOneKilobyteOn) {
    game.writeArchive("GameData/Animation/Animation.far", paddedTo(1023, {{"xskin-short.skn", bytesOf("s")}}));
    game.writeArchive("GameData/Textures/Textures.far", paddedTo(1024, {{"xskin-long.skn", bytesOf("l")}}));
    load();
    EXPECT_EQ(names(catalogue.ArchiveMeshEntries), Names{"xskin-long.skn"});
}

TEST_F(SkinCatalogueTest, WithoutArchivesTheListsAreEmptyButTheLooseMeshesAreThere) {
    const auto loose = looseMesh("xskin-loose");
    load();
    ASSERT_TRUE(catalogue.complete());
    EXPECT_TRUE(catalogue.ArchiveMeshEntries->empty());
    EXPECT_TRUE(catalogue.ArchiveCharacterEntries->empty());
    EXPECT_TRUE(catalogue.ArchiveTextureEntries->empty());
    EXPECT_EQ(*catalogue.SknFileList, std::vector<std::filesystem::path>{loose});
    EXPECT_FALSE(catalogue.ArchiveReadError);
}

TEST_F(SkinCatalogueTest, ATruncatedArchiveEndsTheMeshPassAndFlagsIt) {
    archive("GameData/Animation/Animation.far", {{"xskin-one.skn", bytesOf("1")}, {"a.bmp", bytesOf("1")}});
    archive("GameData/Textures/Textures.far", {{"xskin-two.skn", bytesOf("2")}});
    cutShort(archive("ExpansionPack/ExpansionPack.far", {{"xskin-three.skn", bytesOf("3")}}));
    archive("ExpansionShared/ExpansionShared.far", {{"xskin-four.skn", bytesOf("4")}, {"b.bmp", bytesOf("4")}});
    looseMesh("xskin-loose");
    load();

    EXPECT_TRUE(catalogue.ArchiveReadError);
    EXPECT_EQ(names(catalogue.ArchiveMeshEntries), (Names{"xskin-one.skn", "xskin-two.skn"}));
    ASSERT_TRUE(catalogue.SknFileList.has_value());
    EXPECT_TRUE(catalogue.SknFileList->empty()) << "the loose meshes are not listed after an archive error";
    EXPECT_EQ(names(catalogue.ArchiveTextureEntries), Names{"a.bmp"}) << "the character pass stops there too";

    load();
    EXPECT_TRUE(catalogue.ArchiveReadError) << "the partial catalogue is complete: nothing is read again";
}

// Damaged archives, each named by its fault: the catalogue keeps which
// archive could not be read, where, and what was expected there. The archive
// holds "xskin-a.skn" (1 byte) and the filler; its directory starts at `d`.
struct DamagedArchive {
    const char* fault;
    void (*damage)(std::vector<std::uint8_t>& bytes, std::uint32_t d);
    std::uint32_t offset;  // of the fault, from the directory's start (or absolute, below)
    bool fromDirectory;
    const char* cause;
};

const DamagedArchive kDamagedArchives[] = {
    {"directory_cut_short", [](auto& b, std::uint32_t) { b.resize(b.size() - 5); }, 4 + 16 + 11 + 16, true,
     "needs 10 bytes, only 5 left"},
    {"directory_offset_past_end", [](auto& b, std::uint32_t) { PutLe(b, 12, std::uint32_t{5000}); }, 12, false,
     "directory offset 5000 lies past the end"},
    {"entry_count_past_end", [](auto& b, std::uint32_t d) { PutLe(b, d, std::uint32_t{1000}); }, 4, true,
     "count 1000 exceeds the data left"},
    {"negative_name_length", [](auto& b, std::uint32_t d) { PutLe(b, d + 16, std::uint32_t{0xFFFFFFFF}); }, 4 + 16,
     true, "negative name length -1"},
};

TEST_F(SkinCatalogueTest, AnUnreadableArchiveIsNamedWithTheOffsetAndTheCause) {
    for (const DamagedArchive& c : kDamagedArchives) {
        SCOPED_TRACE(c.fault);
        DiscardSkinCatalogue(catalogue);
        std::vector<FarArchiveFile> files{{"xskin-a.skn", bytesOf("a")}, filler()};
        std::vector<std::uint8_t> bytes = MakeFarArchive(files);
        const std::uint32_t directory = U32LeAt(bytes, 12).value();
        c.damage(bytes, directory);
        const auto path = game.writeFile("GameData/Textures/Textures.far", bytes);
        load();
        EXPECT_TRUE(catalogue.ArchiveReadError);
        const std::uint32_t offset = c.fromDirectory ? directory + c.offset : c.offset;
        EXPECT_EQ(catalogue.ArchiveReadCause,
                  path.string() + " at offset " + std::to_string(offset) + ": " + c.cause);
    }
}

TEST_F(SkinCatalogueTest, ASoundBuildKeepsNoCause) {
    archive("GameData/Textures/Textures.far", {{"xskin-a.skn", bytesOf("a")}});
    catalogue.ArchiveReadError = true;
    catalogue.ArchiveReadCause = "left from an earlier build";
    load();
    EXPECT_FALSE(catalogue.ArchiveReadError);
    EXPECT_EQ(catalogue.ArchiveReadCause, "");
}

TEST_F(SkinCatalogueTest, TheCharacterPassEndsQuietlyAtAnUnreadableArchive) {
    archive("GameData/Animation/Animation.far", {{"a.bmp", bytesOf("1")}});
    const auto second = archive("GameData/Textures/Textures.far", {{"b.bmp", bytesOf("2")}});
    archive("Deluxe/Deluxe.far", {{"c.bmp", bytesOf("3")}});
    BuildMeshCatalogue(catalogue, folders, progress);
    cutShort(second);
    BuildCharacterCatalogue(catalogue, folders, progress);

    EXPECT_FALSE(catalogue.ArchiveReadError);
    EXPECT_EQ(names(catalogue.ArchiveTextureEntries), Names{"a.bmp"});
    EXPECT_TRUE(catalogue.ArchiveCharacterEntries->empty());
}

TEST_F(SkinCatalogueTest, EachPassRunsOnlyWhileOneOfItsListsIsMissing) {
    archive("GameData/Animation/Animation.far", {{"xskin-old.skn", bytesOf("1")}, {"old.bmp", bytesOf("1")}});
    load();
    archive("GameData/Animation/Animation.far", {{"xskin-new.skn", bytesOf("1")}, {"new.bmp", bytesOf("1")}});
    looseMesh("xskin-loose");

    catalogue.ArchiveTextureEntries.reset();
    load();
    EXPECT_EQ(names(catalogue.ArchiveMeshEntries), Names{"xskin-old.skn"}) << "the mesh pass had both its lists";
    EXPECT_TRUE(catalogue.SknFileList->empty());
    EXPECT_EQ(names(catalogue.ArchiveTextureEntries), Names{"new.bmp"});

    catalogue.SknFileList.reset();
    load();
    EXPECT_EQ(names(catalogue.ArchiveMeshEntries), Names{"xskin-new.skn"}) << "both mesh lists are built afresh";
    EXPECT_EQ(catalogue.SknFileList->size(), 1u);
}

TEST_F(SkinCatalogueTest, ABuiltCatalogueIsKeptUntilDiscarded) {
    load();
    looseMesh("xskin-new");
    progress.events.clear();
    load();
    EXPECT_TRUE(catalogue.SknFileList->empty()) << "built once, kept";
    EXPECT_TRUE(progress.events.empty()) << "a complete catalogue shows nothing";

    DiscardSkinCatalogue(catalogue);
    EXPECT_FALSE(catalogue.ArchiveMeshEntries || catalogue.SknFileList || catalogue.ArchiveCharacterEntries ||
                 catalogue.ArchiveTextureEntries);
    load();
    EXPECT_EQ(catalogue.SknFileList->size(), 1u);
}

TEST_F(SkinCatalogueTest, EachPassShowsItsTextAndEveryArchiveItReads) {
    archive("GameData/Animation/Animation.far", {});
    archive("deluxe/DELUXE.FAR", {});
    load();
    EXPECT_EQ(progress.events, (Names{"warning Meshes",
                                      "maximum 2",
                                      "status Reading meshes of Animation.far ...",
                                      "position 1",
                                      "status Reading meshes of DELUXE.FAR ...",
                                      "position 2",
                                      "warning Skins",
                                      "maximum 2",
                                      "status Reading skins of Animation.far ...",
                                      "position 1",
                                      "status Reading skins of DELUXE.FAR ...",
                                      "position 2"}));
}

}  // namespace
}  // namespace corvane
