// The converted lines of binary suits, skeletons and meshes spelled out in
// full. The binaries are put together byte by byte here, with every field
// holding a value of its own, so a field read in the wrong order, a block of
// the wrong kind or a number in the wrong format changes a line.
#include "skins/ArchiveSkinLookup.h"
#include "skins/BcfConversion.h"
#include "skins/SknConversion.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

struct Bytes {
    std::vector<std::uint8_t> data;

    Bytes& u8(std::uint8_t value) {
        data.push_back(value);
        return *this;
    }
    Bytes& u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) u8(static_cast<std::uint8_t>(value >> shift));
        return *this;
    }
    Bytes& i32(std::int32_t value) { return u32(static_cast<std::uint32_t>(value)); }
    Bytes& f32(float value) { return u32(std::bit_cast<std::uint32_t>(value)); }
    Bytes& floats(std::initializer_list<float> values) {
        for (float value : values) f32(value);
        return *this;
    }
    Bytes& ints(std::initializer_list<std::int32_t> values) {
        for (std::int32_t value : values) i32(value);
        return *this;
    }
    Bytes& str(const std::string& text) {
        u8(static_cast<std::uint8_t>(text.size()));
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
};

// The bones of the skeletons below; each block's fields differ from the others'.
Bytes& rootBone(Bytes& b) {
    return b.str("ROOT").str("NULL").f32(0.25f).floats({1.5f, -2, 0.1f}).floats({0, 0, 1e-6f, 1}).ints({1, 2, 3, 4}).f32(
        0.125f);
}
Bytes& pelvisBone(Bytes& b, const std::string& parent) {
    return b.str("PELVIS").str(parent).ints({5, 6}).str("name").str("adult").floats({7, 8, 9}).floats(
        {0.5f, 0.5f, 0.5f, -0.5f}).ints({10, 11, 12, -13}).f32(2.999f);
}
Bytes& legBone(Bytes& b) {
    return b.str("L_LEG").str("PELVIS").f32(0).floats({-1, 0, 0}).floats({0, 0, 0, 1}).ints({0, 1, 1, 0}).f32(0);
}

const Lines kRootLines{"ROOT", "NULL", "0.25", "| 1.5 -2 0.100000001490116 |", "| 0 0 9.99999997475243E-7 1 |",
                       "1", "2", "3", "4", "0.13"};
Lines pelvisLines(const std::string& parent) {
    return {"PELVIS", parent, "5", "6", "name", "adult", "| 7 8 9 |", "| 0.5 0.5 0.5 -0.5 |",
            "10", "11", "12", "-13", "3"};
}
const Lines kLegLines{"L_LEG", "PELVIS", "0", "| -1 0 0 |", "| 0 0 0 1 |", "0", "1", "1", "0", "0"};

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Lines skeletonLines(const std::vector<std::uint8_t>& bytes) {
    Lines lines;
    AppendSkeletonLines(bytes, "skeleton.bcf", "// comment", lines);
    return lines;
}

TEST(ExactLines, AdultSkeleton) {
    Bytes b;
    b.u32(1).str("adult").i32(3);
    legBone(pelvisBone(rootBone(b), "ROOT"));
    EXPECT_EQ(skeletonLines(b.data), concat({{"// comment", "version 300", "1", "adult", "3"}, kRootLines,
                                             pelvisLines("ROOT"), kLegLines, {"0", "0"}}));
}

TEST(ExactLines, SkeletonOfAnotherKindWord) {
    // A property block first, then n - 2 ordinary blocks: the third bone stays unread.
    Bytes b;
    b.u32(1).str("robot").i32(3);
    legBone(legBone(pelvisBone(b, "NULL")));
    EXPECT_EQ(skeletonLines(b.data),
              concat({{"// comment", "version 300", "1", "robot", "3"}, pelvisLines("NULL"), kLegLines, {"0", "0"}}));
}

TEST(ExactLines, ChildSkeletonOfTwoBones) {
    Bytes b;
    b.u32(1).str("child").i32(2);
    legBone(pelvisBone(b, "NULL"));
    EXPECT_EQ(skeletonLines(b.data),
              concat({{"// comment", "version 300", "1", "child", "2"}, pelvisLines("NULL"), kLegLines, {"0", "0"}}));
}

TEST(ExactLines, Suits) {
    struct Case { const char* what; std::vector<std::uint8_t> bytes; Lines expected; };
    const Case cases[] = {
        {"two skins",
         BinaryCharacterFile(Suit{"B001MAFit_01", 0,
                                  {{"PELVIS", "xskin-b001mafit_01-PELVIS-BODY"}, {"SPINE2", "xskin-necklace"}}}),
         {"// comment", "version 300", "0", "1", "B001MAFit_01", "0", "0", "2", "PELVIS",
          "xskin-b001mafit_01-PELVIS-BODY", "0", "0", "SPINE2", "xskin-necklace", "0", "0", "0"}},
        {"data ends after the name: skin count 0",
         Bytes{}.u32(0).u32(1).str("hmlo").u32(0).data,
         {"// comment", "version 300", "0", "1", "hmlo", "0", "0", "0", "0"}},
        {"the counts are single bytes at 3 and 4",
         Bytes{}.u32(0x07000000).u32(0x00000109).str("s").u8(1).str("HEAD").str("xskin-h").data,
         {"// comment", "version 300", "7", "9", "s", "0", "0", "1", "HEAD", "xskin-h", "0", "0", "0"}},
    };
    for (const Case& c : cases) {
        Lines lines;
        AppendSuitLines(c.bytes, "suit.bcf", "// comment", lines);
        EXPECT_EQ(lines, c.expected) << c.what;
    }
}

TEST(ExactLines, MeshUsesTheLowByteOfItsBoneCountAndSpellsNoNumbers) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    Bytes b;
    b.str("xskin-m-PELVIS-BODY").str("x").u8(5).u8(7).u8(0).u8(0);
    for (const char* bone : {"PELVIS", "SPINE", "SPINE1", "NECK", "HEAD"}) b.str(bone);
    b.i32(0).i32(0).i32(1).floats({0.5f, 1}).i32(2).ints({3, 32768, 7, -1}).i32(1).floats({nan, inf, -inf, 0, 1, -0.123456789f});
    Lines lines;
    AppendMeshLines(b.data, "m.bmf", lines);
    EXPECT_EQ(lines, (Lines{"xskin-m-PELVIS-BODY", "x", "5", "PELVIS", "SPINE", "SPINE1", "NECK", "HEAD", "0", "0", "1",
                            "0.5 1.0", "2", "32768 3", "-1 7", "1", "NAN INF -INF 0.0 1.0 -0.1234568"}));
}

TEST(ExactLines, ASkeletonKeptAsTextPassesThroughAndTheLastEntryWins) {
    test::TempDir folder;
    GameBuilder game(folder.path() / "game");
    Bytes binary;
    binary.u32(1).str("adult").i32(2);
    pelvisBone(rootBone(binary), "ROOT");
    const std::string text = "// kept as text\r\nversion 300\r\n1\r\nadult\r\n";
    auto withFiller = [](std::vector<FarArchiveFile> files) {
        files.push_back({"filler.dat", std::vector<std::uint8_t>(1024, 0)});
        return files;
    };
    game.writeArchive("GameData/Animation/Animation.far", withFiller({{"adult-skeleton.cmx.bcf", binary.data}}));
    game.writeArchive("ExpansionPack2/ExpansionPack2.far",
                      withFiller({{"adult-skeleton.cmx.cmx", std::vector<std::uint8_t>(text.begin(), text.end())}}));
    SkinCatalogue catalogue;
    SilentProgress quiet;
    LoadSkinData(catalogue, SkinFolders(game.root(), 2), quiet);

    Lines lines;
    ASSERT_TRUE(SkeletonFromArchive(catalogue, "Adult-Skeleton", lines));
    EXPECT_EQ(lines, (Lines{"// kept as text", "version 300", "1", "adult"}));

    catalogue.ArchiveCharacterEntries->pop_back();
    lines.clear();
    ASSERT_TRUE(SkeletonFromArchive(catalogue, "adult-skeleton", lines));
    ASSERT_EQ(lines.size(), 5u + 10u + 13u + 2u);
    EXPECT_EQ(lines[0].rfind("// Exported by Corvane ", 0), 0u) << lines[0];
    EXPECT_EQ(Lines(lines.begin() + 5, lines.begin() + 15), kRootLines);
}

}  // namespace
}  // namespace corvane
