// The chunks a save builds for a character file, and the rebuilt file.

#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/IffFileWriter.h"
#include "demo/WornSkins.h"
#include "iff/CharacterFileRewrite.h"
#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "iff/StringTable.h"
#include "neighbourhoods/BodyStringsWriter.h"
#include "neighbourhoods/NamesChunkWriter.h"
#include "platform/BmpCodec.h"
#include "support/EmptyCatalogue.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A record dressed as StandardBodyStrings dresses it; the game installs the
// skins `installed` names.
struct Dressed {
    explicit Dressed(const std::string& ageGroup, bool install = true) : game(dir.path() / "game") {
        game.installation(7);
        const auto strings = StandardBodyStrings(ageGroup, 7);
        if (install) WriteWornSkins(game, strings);
        sim.AgeGroup = ageGroup;
        sim.BodyMesh = "B001MAfit_01";
        sim.BodyTexture = "b001mafitlgt_casual";
        sim.HeadMesh = "c001ma_bob";
        sim.HeadTexture = "c001malgt_bob";
        sim.FormalMesh = "F002MAfit_suit";
        sim.FormalTexture = "f002mafitlgt_suit";
        sim.OpenLHandMesh = "hmlo";
        sim.OpenLHandTexture = "huaolgt";
        sim.SkinTone = "lgt";
        sim.SkinAge = 27;
        sim.Gender = ageGroup == "dog" ? 2 : 0;
        sim.BodyStringsHead = std::string(80, '\0');
        for (std::size_t i = 0; i < 9; ++i) sim.BodyString3to11[i] = "c" + std::to_string(i + 3);
        for (std::size_t i = 0; i < 4; ++i) sim.BodyString23to26[i] = "c" + std::to_string(i + 23);
    }
    BodyStringEntries build(int level) {
        SkinFolders folders(game.root(), level);
        InstalledSkins installed(folders, catalogue);
        return BuildBodyStrings(sim, level, installed);
    }

    test::TempDir dir;
    GameBuilder game;
    SkinCatalogue catalogue = test::EmptyCatalogue();
    Sim sim;
};

TEST(BodyStringsWriter, EntriesOfAnAdultSkinsLowerCasedFormalAsItIs) {
    Dressed d("adult");
    const auto entries = d.build(7).values;
    ASSERT_EQ(entries.size(), 35u);
    EXPECT_EQ(entries[0], "adult");
    EXPECT_EQ(entries[1], "b001mafit_01,BODY=b001mafitlgt_casual");
    EXPECT_EQ(entries[2], "c001ma_bob,HEAD-HEAD=c001malgt_bob");
    EXPECT_EQ(entries[3], "c3");
    EXPECT_EQ(entries[11], "c11");
    EXPECT_EQ(entries[12], "male");
    EXPECT_EQ(entries[13], "27");
    EXPECT_EQ(entries[14], "lgt");
    EXPECT_EQ(entries[15], ",BODY=") << "no nude skin named";
    EXPECT_EQ(entries[17], "hmlo,HAND=huaolgt");
    EXPECT_EQ(entries[18], ",HAND=");
    EXPECT_EQ(entries[23], "c23");
    EXPECT_EQ(entries[27], "F002MAfit_suit,BODY=f002mafitlgt_suit") << "the older formal entry keeps the letter case";
    EXPECT_EQ(entries[30], "f002mafit_suit,BODY=f002mafitlgt_suit");
    EXPECT_EQ(entries[34], ",BODY=");
}

TEST(BodyStringsWriter, EntryCountsByExpansionLevel) {
    Dressed d("adult");
    for (const auto& [level, count] : std::vector<std::pair<int, std::size_t>>{{0, 30}, {2, 30}, {3, 33}, {4, 34}, {5, 34}, {6, 35}, {7, 35}}) {
        EXPECT_EQ(d.build(level).values.size(), count) << "level " << level;
    }
}

TEST(BodyStringsWriter, ADogHasNoHeadHandsOrOutfits) {
    Dressed d("dog");
    const auto entries = d.build(7).values;
    ASSERT_EQ(entries.size(), 35u);
    EXPECT_EQ(entries[1], "b001mafit_01,BODY=b001mafitlgt_casual");
    EXPECT_EQ(entries[2], "NONE");
    EXPECT_EQ(entries[12], "dogmale");
    for (int i : {15, 16, 17, 18, 19, 20, 21, 22, 27, 28, 29}) EXPECT_EQ(entries[static_cast<std::size_t>(i)], "") << i;
    for (int i : {30, 31, 32, 33, 34}) EXPECT_EQ(entries[static_cast<std::size_t>(i)], "NONE") << i;
    EXPECT_FALSE(d.build(7).headMissing);
}

TEST(BodyStringsWriter, SkinsNotInstalledLeaveOnlyTheirKeyAndAMissingHeadAsksForNewImages) {
    Dressed d("adult", false);
    const auto built = d.build(7);
    EXPECT_EQ(built.values[1], ",BODY=");
    EXPECT_EQ(built.values[2], ",HEAD-HEAD=");
    EXPECT_EQ(built.values[27], ",BODY=");
    EXPECT_TRUE(built.headMissing);

    // A skin kept in an archive counts by the name its entry begins with only.
    d.catalogue.ArchiveCharacterEntries->push_back({0, 0, 0, {}, "B001MAFIT_01.CMX.BCF"});
    d.catalogue.ArchiveTextureEntries->push_back({0, 0, 0, {}, "xb001mafitlgt_casual.bmp"});
    EXPECT_EQ(d.build(7).values[1], ",BODY=");
    d.catalogue.ArchiveTextureEntries->push_back({0, 0, 0, {}, "B001MAFITLGT_CASUAL.BMP"});
    EXPECT_EQ(d.build(7).values[1], "b001mafit_01,BODY=b001mafitlgt_casual");
}

TEST(BodyStringsWriter, AnIncompleteCatalogueKeepsNamesItCannotCheck) {
    Dressed d("adult", false);
    d.catalogue.ArchiveReadError = true;
    EXPECT_EQ(d.build(7).values[1], "b001mafit_01,BODY=b001mafitlgt_casual");
}

TEST(BodyStringsWriter, AGenderWithoutAWordKeepsTheWordTheFileHad) {
    Dressed d("adult");
    d.sim.Gender = 9;
    d.sim.GenderWord = "female";
    const auto entries = d.build(7).values;
    ASSERT_EQ(entries.size(), 35u) << "no entry may go missing and shift the later ones";
    EXPECT_EQ(entries[12], "female");
    EXPECT_EQ(entries[13], "27");
}

TEST(BodyStringsWriter, ChunkAtLevel0HasThirtyEntriesThirtyPadBytesAndEvenLength) {
    Dressed d("adult");
    std::string head(80, '\0');
    head.replace(0, 4, "STR#");
    head[9] = static_cast<char>(200);
    head[76] = '\xFD';
    head[77] = '\xFF';
    const auto entries = d.build(0).values;
    const auto chunk = MakeBodyStringsChunk(head, entries);
    ASSERT_TRUE(chunk);
    EXPECT_EQ((*chunk)[78], 30);
    std::size_t textBytes = 0;
    for (const auto& e : entries) textBytes += e.size() + 3;
    const std::size_t unpadded = 80 + textBytes + 30;
    EXPECT_EQ(chunk->size(), unpadded + unpadded % 2);
    EXPECT_EQ(chunk->size() % 2, 0u);
    for (std::size_t i = 80 + textBytes; i < chunk->size(); ++i) EXPECT_EQ((*chunk)[i], 0xA3) << i;
    EXPECT_EQ(static_cast<std::size_t>(ReadBigEndian(*chunk, 4, 4)), chunk->size());
    EXPECT_EQ((*chunk)[80], 0x01);
    EXPECT_EQ(std::string(chunk->begin() + 81, chunk->begin() + 86), "adult");

    EXPECT_FALSE(MakeBodyStringsChunk("", entries)) << "no head read: nothing to build from";
}

TEST(NamesChunkWriter, BytesOfTheNamesChunk) {
    Sim sim;
    sim.FirstName = "  Bella ";
    sim.Bio = "Hi";
    const Bytes chunk = MakeNamesChunk(sim, 3);
    const Bytes expectedData{0xFD, 0xFF, 2, 0, 3, 'B', 'e', 'l', 'l', 'a', 0, 0, 3, 'H', 'i', 0, 0, 0xA3, 0xA3, 0xA3};
    ASSERT_EQ(chunk.size(), 76 + expectedData.size());
    EXPECT_EQ(std::string(chunk.begin(), chunk.begin() + 4), "CTSS");
    EXPECT_EQ(ReadBigEndian(chunk, 4, 4), static_cast<std::int32_t>(chunk.size()));
    EXPECT_EQ(ReadBigEndian(chunk, 8, 2), 2000);
    EXPECT_EQ(ReadBigEndian(chunk, 10, 2), 0x10);
    EXPECT_EQ(Bytes(chunk.begin() + 12, chunk.begin() + 76), Bytes(64, 0));
    EXPECT_EQ(Bytes(chunk.begin() + 76, chunk.end()), expectedData);

    sim.Bio = "Hi!";
    EXPECT_EQ(MakeNamesChunk(sim, 3).size(), chunk.size()) << "even length without the third pad byte";
}

TEST(NamesChunkWriter, ALongBiographyGetsItsTrueSize) {
    Sim sim;
    sim.FirstName = "Bella";
    sim.Bio = std::string(70000, 'x');
    const Bytes chunk = MakeNamesChunk(sim, 1);
    EXPECT_GT(chunk.size(), 65536u);
    EXPECT_EQ(ReadBigEndian(chunk, 4, 4), static_cast<std::int32_t>(chunk.size()));
}

// The names chunk keeps every language but the edited one as it was read.
TEST(NamesChunkWriter, OnlyTheEditedLanguagesStringsChange) {
    using Strings = std::vector<StringTableEntry>;
    struct Case {
        const char* fault;
        Strings old;
        int language;
        Strings expected;
    };
    const StringTableEntry french{3, "\xC9tienne", "note"};
    const StringTableEntry frenchBio{3, "Il chante.", ""};
    const std::vector<Case> cases{
        {"other_languages_dropped", {{1, "Victor", ""}, {1, "Sings.", ""}, french, frenchBio}, 1,
         {{1, "Max", ""}, {1, "Hums.", ""}, french, frenchBio}},
        {"edited_language_in_front_of_others_lost", {french, frenchBio, {1, "Victor", ""}, {1, "Sings.", ""}}, 1,
         {french, frenchBio, {1, "Max", ""}, {1, "Hums.", ""}}},
        {"language_without_strings_not_added", {{1, "Victor", ""}, {1, "Sings.", ""}}, 3,
         {{1, "Victor", ""}, {1, "Sings.", ""}, {3, "Max", ""}, {3, "Hums.", ""}}},
        {"name_without_biography_gets_none", {{1, "Victor", ""}, french}, 1, {{1, "Max", ""}, {1, "Hums.", ""}, french}},
        {"biography_read_from_two_strings_written_twice", {{1, "Victor", ""}, {1, "Sin", ""}, {1, "gs.", ""}, french},
         1, {{1, "Max", ""}, {1, "Hums.", ""}, french}},
        {"unreadable_table_kept_as_garbage", {}, 1, {{1, "Max", ""}, {1, "Hums.", ""}}},
    };
    Sim sim;
    sim.FirstName = " Max ";
    sim.Bio = "Hums.";
    auto entries = [](const Bytes& chunk) {
        std::vector<std::tuple<int, std::string, std::string>> out;
        for (const auto& e : ReadStringTable(std::span(chunk).subspan(kChunkHeaderSize), "CTSS")) {
            out.emplace_back(e.language, e.value, e.comment);
        }
        return out;
    };
    for (const Case& c : cases) {
        const Bytes old = c.old.empty() ? Bytes{0x01, 0x02, 0x03} : WriteStringTable(c.old);
        const Bytes expected = MakeChunk("CTSS", 2000, 0x10, {}, WriteStringTable(c.expected));
        EXPECT_EQ(entries(MakeNamesChunk(sim, c.language, old)), entries(expected)) << c.fault;
    }
}

// ---- the rebuilt file

Bytes picture() {
    return EncodeBmp24(Bitmap(4, 4, {10, 200, 30}));
}

Bytes characterFile(std::vector<Bytes> chunks) {
    return MakeIffFile(chunks);
}

std::vector<std::pair<std::string, std::string>> chunkTypesAndLabels(const Bytes& file) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const Section& s : ReadChunkList(file).sections) out.emplace_back(s.ChunkType, s.ChunkLabel);
    return out;
}

struct Rewrite : ::testing::Test {
    Bytes old = characterFile({
        MakeChunk("OBJD", 128, 0, "me", Bytes(100, 7)),
        MakeChunk("CTSS", 2000, 0, "", Bytes{0xFD, 0xFF, 0, 0}),
        MakeChunk("STR#", 200, 0, "", Bytes(8, 1)),
        MakeChunk("STR#", 256, 0, "", Bytes(6, 2)),
        MakeChunk("BMP_", 2002, 0, "faces", picture()),
        MakeChunk("BMP_", 2004, 0, "thumbnail", picture()),
        MakeChunk("XXXX", 0, 0, "", Bytes(4, 0)),
        MakeChunk("CTSS", 2001, 0, "", Bytes{0xFD, 0xFF, 0, 0}),
    });
    CharacterFileParts parts;
    Sim sim;
    Bytes newImages = [] {
        Bytes run = MakeChunk("BMP_", 2010, 0, "portrait", picture());
        Bitmap blue(2, 2, {0, 0, 250});
        const Bytes thumb = MakeChunk("BMP_", 2011, 0, "thumbnail", EncodeBmp24(blue));
        run.insert(run.end(), thumb.begin(), thumb.end());
        return run;
    }();

    void SetUp() override {
        sim.FirstName = "Bella";
        parts.names = [this](std::span<const std::uint8_t> oldNames) { return MakeNamesChunk(sim, 1, oldNames); };
        Bytes body = MakeChunk("STR#", 200, 0, "", Bytes(20, 9));
        parts.bodyStrings = body;
        parts.expansionLevel = 5;
    }
};

TEST_F(Rewrite, EveryNamesChunkBecomesTheNewOneAndTheMapListsThem) {
    const auto rewritten = RewriteCharacterFile(old, parts);
    const ChunkList list = ReadChunkList(rewritten.bytes);
    ASSERT_FALSE(list.damaged);
    std::vector<std::string> types;
    for (const Section& s : list.sections) types.push_back(s.ChunkType);
    EXPECT_EQ(types, (std::vector<std::string>{"OBJD", "CTSS", "STR#", "STR#", "BMP_", "BMP_", "CTSS", "rsmp"}));
    for (const Section& s : list.sections) {
        if (s.ChunkType == "CTSS") {
            EXPECT_EQ(s.ChunkID, 2000);
            EXPECT_EQ(Bytes(rewritten.bytes.begin() + s.ChunkOffset, rewritten.bytes.begin() + s.ChunkOffset + s.ChunkSize), parts.names({}));
        }
        if (s.ChunkType == "STR#") {
            EXPECT_EQ(s.ChunkSize, s.ChunkID == 200 ? 96 : 82) << "the body strings replaced, other strings copied";
        }
    }
    // The map the header points at lists both new names chunks with their offsets and id 2000.
    const auto map = static_cast<std::size_t>(ReadBigEndian(rewritten.bytes, 60, 4));
    EXPECT_EQ(std::string(rewritten.bytes.begin() + static_cast<std::ptrdiff_t>(map), rewritten.bytes.begin() + static_cast<std::ptrdiff_t>(map) + 4), "rsmp");
    const std::string text(rewritten.bytes.begin() + static_cast<std::ptrdiff_t>(map), rewritten.bytes.end());
    const auto names = text.find("SSTC");
    ASSERT_NE(names, std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(text[names + 4]), 2) << "two names chunks";
    EXPECT_EQ(static_cast<std::uint32_t>(list.sections[1].ChunkOffset),
              static_cast<std::uint32_t>(static_cast<unsigned char>(text[names + 8])) |
                  static_cast<std::uint32_t>(static_cast<unsigned char>(text[names + 9])) << 8);
    EXPECT_EQ(static_cast<unsigned char>(text[names + 12]) | static_cast<unsigned char>(text[names + 13]) << 8, 2000);
    EXPECT_FALSE(rewritten.newImagesUsedUp);
}

TEST_F(Rewrite, ImagesKeptDroppedOrReplaced) {
    using Labels = std::vector<std::pair<std::string, std::string>>;
    auto images = [](const Bytes& file) {
        Labels out;
        for (const auto& entry : chunkTypesAndLabels(file)) if (entry.first == "BMP_") out.push_back(entry);
        return out;
    };
    EXPECT_EQ(images(RewriteCharacterFile(old, parts).bytes), (Labels{{"BMP_", "faces"}, {"BMP_", "thumbnail"}}));

    parts.resetThumbnail = true;
    EXPECT_EQ(images(RewriteCharacterFile(old, parts).bytes), Labels{}) << "images to be drawn again are left out";

    parts.resetThumbnail = false;
    parts.newImages = newImages;
    auto atLevel5 = RewriteCharacterFile(old, parts);
    EXPECT_EQ(images(atLevel5.bytes), (Labels{{"BMP_", "portrait"}, {"BMP_", "thumbnail"}}));
    EXPECT_TRUE(atLevel5.newImagesUsedUp);
    EXPECT_TRUE(atLevel5.newImagesWritten);
    EXPECT_EQ(chunkTypesAndLabels(atLevel5.bytes)[4].second, "portrait") << "in place of the first old image";

    parts.expansionLevel = 3;
    auto atLevel3 = RewriteCharacterFile(old, parts);
    EXPECT_EQ(images(atLevel3.bytes), Labels{}) << "other levels draw the images in the game";
    EXPECT_TRUE(atLevel3.newImagesUsedUp);
    EXPECT_FALSE(atLevel3.newImagesWritten);
}

TEST_F(Rewrite, NewImagesWithoutOldOnesGoAtTheEnd) {
    old = characterFile({MakeChunk("OBJD", 128, 0, "me", Bytes(100, 7)), MakeChunk("CTSS", 2000, 0, "", Bytes{0xFD, 0xFF, 0, 0})});
    parts.newImages = newImages;
    const auto rewritten = RewriteCharacterFile(old, parts);
    const auto labels = chunkTypesAndLabels(rewritten.bytes);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[2].second, "portrait");
    EXPECT_EQ(labels[3].second, "thumbnail");
    EXPECT_EQ(labels[4].first, "rsmp");
    const auto thumbnail = ThumbnailOfCharacterImages(newImages);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->width, 2);
    EXPECT_EQ(thumbnail->at(0, 0).b, 250);
}

// The game's own person files hold no names chunk: names to keep bring one.
TEST_F(Rewrite, AFileWithoutNamesGetsTheNamesChunkOnlyWithNamesToKeep) {
    old = characterFile({MakeChunk("OBJD", 128, 0, "me", Bytes(100, 7)), MakeChunk("STR#", 200, 0, "", Bytes(8, 1))});
    auto types = [](const Bytes& file) {
        std::vector<std::string> out;
        for (const auto& [type, label] : chunkTypesAndLabels(file)) out.push_back(type);
        return out;
    };
    EXPECT_EQ(types(RewriteCharacterFile(old, parts).bytes), (std::vector<std::string>{"OBJD", "STR#", "rsmp"}));
    parts.addNames = true;
    const Bytes rewritten = RewriteCharacterFile(old, parts).bytes;
    EXPECT_EQ(types(rewritten), (std::vector<std::string>{"OBJD", "STR#", "CTSS", "rsmp"}));
    const ChunkList chunks = ReadChunkList(rewritten);
    const Section* names = FindChunk(chunks, "CTSS");
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(Bytes(rewritten.begin() + names->ChunkOffset, rewritten.begin() + names->ChunkOffset + names->ChunkSize),
              parts.names({}));
}

TEST_F(Rewrite, ADamagedChunkListIsRefused) {
    Bytes damaged = old;
    const auto list = ReadChunkList(old);
    const auto at = static_cast<std::size_t>(list.sections[3].ChunkOffset) + 4;
    damaged[at] = damaged[at + 1] = damaged[at + 2] = damaged[at + 3] = 0;
    EXPECT_THROW(RewriteCharacterFile(damaged, parts), DamagedCharacterFile);
}

}  // namespace
}  // namespace corvane
