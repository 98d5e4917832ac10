#include "skins/FarArchive.h"

#include "demo/GameBuilder.h"
#include "platform/FormatError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// Archive bytes laid down by hand, for archives broken on purpose.
struct RawArchive {
    std::vector<std::uint8_t> bytes;

    RawArchive& text(std::string_view t) {
        bytes.insert(bytes.end(), t.begin(), t.end());
        return *this;
    }
    RawArchive& u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
        return *this;
    }
    // Size, Size2, Offset, name length, name.
    RawArchive& entry(std::string_view name) {
        return u32(1).u32(1).u32(16).u32(static_cast<std::uint32_t>(name.size())).text(name);
    }
};

RawArchive headerWithDirectoryAt(std::uint32_t directoryOffset) {
    return RawArchive().text("FAR!byAZ").u32(1).u32(directoryOffset);
}

TEST(FarArchive, EntriesGoToTheirListsByName) {
    using enum CharacterEntryKind;
    struct Case { const char* name; CharacterEntryKind kind; bool mesh; };
    for (auto [name, kind, mesh] : {
             Case{"XSKIN-Test.SKN", Skip, true},
             Case{"XSkin-b001mafit_01-PELVIS-BODY.bmf", Skip, true},
             Case{"axskin-late.skn", Skip, false},
             Case{"b001mafit_01.cmx.bcf", Character, false},
             Case{"B001MAFIT_01.CMX.BCF", Character, false},
             Case{"xskin-b001mafit_01.cmx.bcf", Character, true},
             Case{"mafit_01.cmx.bcf", Skip, false},                  // fails the naming rules
             Case{"child-censor.cmx.bcf", Character, false},         // the "child" rejection does not apply
             Case{"b001mafit_01.cmx", Skip, false},                  // no binary extension after ".cmx"
             Case{"b001mafit_01.cmx.bcf2", Skip, false},
             Case{"anything.BMP", Texture, false},
             Case{"mafitlgt_01.bmp", Texture, false},                // textures need no naming rule
             Case{".bmp", Texture, false},
             Case{"adult-skeleton.cmx.bcf", Character, false},
             Case{"adult-skeleton.CMX.BCF", Character, false},       // only the skeleton text keeps its case
             Case{"ADULT-SKELETON.cmx.bcf", Skip, false},
             Case{"Dog_Skeleton.cmx.bcf", Skip, false},
             Case{"dog_skeleton.cmx.bcf", Character, false},
             Case{"kat_skeleton.cmx.bcf", Character, false},
             Case{"child-skeleton.cmx.bcf", Character, false},
             Case{"old_adult-skeleton_2.cmx.bcf", Character, false},  // the text anywhere in the name
             Case{"adult-skeleton.skn", Skip, false},
             Case{"readme.txt", Skip, false},
             Case{"", Skip, false},
         }) {
        EXPECT_EQ(ClassifyCharacterEntry(name), kind) << name;
        EXPECT_EQ(IsMeshEntry(name), mesh) << name;
    }
}

TEST(FarArchive, DirectoryEntriesAreReadAsStoredWithTheirFoldersDropped) {
    test::TempDir folder;
    GameBuilder files(folder.path());
    auto path = files.writeArchive("a.far", {{"D:\\Sims\\GameData\\Skins\\XSkin-one.skn", bytesOf("mesh")},
                                             {"plain.bmp", bytesOf("bitmap")},
                                             {"folder\\", bytesOf("")}});
    const auto entries = ReadFarDirectory(path);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].entryName, "XSkin-one.skn");
    EXPECT_EQ(entries[1].entryName, "plain.bmp");
    EXPECT_EQ(entries[2].entryName, "");
    EXPECT_EQ(entries[1].size, 6);
    EXPECT_EQ(entries[1].size2, 6);
    EXPECT_EQ(entries[1].offset, 16 + 4) << "the second file follows the header and the first file";
}

TEST(FarArchive, ThePassesKeepTheirEntriesWithTheArchivePath) {
    test::TempDir folder;
    GameBuilder files(folder.path());
    auto path = files.writeArchive("a.far", {{"xskin-one.skn", bytesOf("m")},
                                             {"Skins\\b001mafit_01.cmx.bcf", bytesOf("c")},
                                             {"huaolgt.bmp", bytesOf("t")},
                                             {"readme.txt", bytesOf("r")}});
    std::vector<FarRecordDetails> meshes, characters, textures;
    ReadArchiveDirectory(path, CataloguePass::Mesh, {&meshes, nullptr, nullptr});
    ReadArchiveDirectory(path, CataloguePass::Character, {nullptr, &characters, &textures});

    ASSERT_EQ(meshes.size(), 1u);
    ASSERT_EQ(characters.size(), 1u);
    ASSERT_EQ(textures.size(), 1u);
    EXPECT_EQ(characters[0].EntryName, "b001mafit_01.cmx.bcf");
    EXPECT_EQ(textures[0].ArchivePath, path);
    EXPECT_EQ(ReadArchiveEntry(meshes[0]), bytesOf("m"));
    EXPECT_EQ(ReadArchiveEntry(textures[0]), bytesOf("t"));
}

TEST(FarArchive, BrokenDirectoriesNameTheArchiveAndTheOffset) {
    struct Case { const char* fault; RawArchive archive; std::uint64_t offset; };
    const std::vector<Case> cases{
        {"header_too_short", RawArchive().text("FAR!by"), 0},
        {"directory_offset_cut", RawArchive().text("FAR!byAZ").u32(1).text("\x10"), 12},
        {"directory_past_end", headerWithDirectoryAt(0xFFFF), 12},
        {"count_missing", headerWithDirectoryAt(16).text("\x01\x00"), 16},
        {"huge_count", headerWithDirectoryAt(16).u32(0x40000000).entry("x.bmp"), 20},
        {"name_past_end", headerWithDirectoryAt(16).u32(1).u32(1).u32(1).u32(16).u32(50).text("x"), 36},
        {"negative_name_length", headerWithDirectoryAt(16).u32(1).u32(1).u32(1).u32(16).u32(0xFFFFFFFF), 36},
        // room for two entries by count, but the second is missing: it would start at 16 + 4 + 16 + 20
        {"entry_past_end", headerWithDirectoryAt(16).u32(2).entry("a-rather-long-name.x"), 56},
    };
    test::TempDir folder;
    GameBuilder files(folder.path());
    for (const Case& c : cases) {
        const auto path = files.writeFile(std::string(c.fault) + ".far", c.archive.bytes);
        try {
            ReadFarDirectory(path);
            ADD_FAILURE() << c.fault << ": read without an error";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.file(), path.string()) << c.fault;
            EXPECT_EQ(error.offset(), c.offset) << c.fault;
        }
    }
}

TEST(FarArchive, AnEmptyDirectoryAndUncheckedFieldsAreNoError) {
    test::TempDir folder;
    GameBuilder files(folder.path());
    // Neither the signature nor the entries' offsets are checked: only the directory matters.
    auto path = files.writeFile("odd.far", RawArchive().text("NOT-A-FAR!!!").u32(16).u32(1).entry("x.bmp").bytes);
    EXPECT_EQ(ReadFarDirectory(path).size(), 1u);
    auto empty = files.writeFile("empty.far", headerWithDirectoryAt(16).u32(0).bytes);
    EXPECT_TRUE(ReadFarDirectory(empty).empty());
}

TEST(FarArchive, AnEntryOutsideItsArchiveIsAnError) {
    test::TempDir folder;
    GameBuilder files(folder.path());
    auto path = files.writeArchive("a.far", {{"x.bmp", bytesOf("abc")}});
    const FarRecordDetails inside{3, 3, 16, path, "x.bmp"};
    EXPECT_EQ(ReadArchiveEntry(inside), bytesOf("abc"));

    struct Case { const char* fault; std::int32_t size; std::int32_t offset; };
    for (auto [fault, size, offset] : {Case{"size_past_end", 100000, 16}, Case{"offset_past_end", 3, 100000},
                                       Case{"negative_offset", 3, -4}, Case{"negative_size", -1, 16}}) {
        FarRecordDetails entry = inside;
        entry.Size = size;
        entry.Offset = offset;
        EXPECT_THROW(ReadArchiveEntry(entry), FormatError) << fault;
    }
}

}  // namespace
}  // namespace corvane
