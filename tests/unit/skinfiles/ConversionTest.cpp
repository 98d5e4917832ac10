#include "skins/ArchiveSkinLookup.h"
#include "skins/BcfConversion.h"
#include "skins/SknConversion.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/FormatError.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

Lines suitLines(const std::vector<std::uint8_t>& bytes) {
    Lines lines;
    AppendSuitLines(bytes, "suit.bcf", "// comment", lines);
    return lines;
}

Lines skeletonLines(const Skeleton& skeleton) {
    Lines lines;
    AppendSkeletonLines(BinarySkeleton(skeleton), "skeleton.bcf", "// comment", lines);
    return lines;
}

SkeletonBone bone(const std::string& name, bool property = false) {
    SkeletonBone b;
    b.name = name;
    b.parent = "NULL";
    b.hasProperty = property;
    b.propertyName = "CANDYPROPS";
    b.propertyValue = "1";
    b.translation[1] = 0.1f;
    b.wiggle = 0.125f;
    return b;
}

TEST(Conversion, BinarySuitBecomesTheLinesOfItsTextFile) {
    Suit suit{"b001mafit_01", 0, {{"PELVIS", "xskin-b001mafit_01-PELVIS-BODY"}, {"HEAD", "xskin-c001-HEAD-HEAD"}}};
    Lines expected = CharacterFileLines(suit);
    expected[0] = "// comment";
    EXPECT_EQ(suitLines(BinaryCharacterFile(suit)), expected);
}

TEST(Conversion, SuitSkinCountIsTheFirstNonZeroByte) {
    std::vector<std::uint8_t> bytes{0, 0, 0, 0, 1, 0, 0, 0, 2, 'a', 'b'};
    bytes.insert(bytes.end(), 8, 0);  // eight zero bytes before the count
    bytes.push_back(1);
    const std::string skin("\0\0\0\6PELVIS\3xyz", 14);
    bytes.insert(bytes.end(), skin.begin(), skin.end());
    EXPECT_EQ(suitLines(bytes), (Lines{"// comment", "version 300", "0", "1", "ab", "0", "0", "1", "PELVIS", "xyz", "0",
                                       "0", "0"}));

    Suit many{"many", 0, std::vector<SuitSkin>(300, {"PELVIS", "xskin-m"})};
    Lines lines = suitLines(BinaryCharacterFile(many));
    EXPECT_EQ(lines[7], "44") << "a count above 255 keeps only its low byte";
}

TEST(Conversion, SkeletonBlocksFollowTheKindWord) {
    Skeleton adult{"adult", {bone("ROOT"), bone("PELVIS", true)}};
    Lines expected = SkeletonFileLines(adult);
    expected[0] = "// comment";
    EXPECT_EQ(skeletonLines(adult), expected) << "one ordinary and one property block";
    EXPECT_EQ(expected[5], "ROOT");
    EXPECT_EQ(expected[7], "0");
    EXPECT_EQ(expected[8], "| 0 0.100000001490116 0 |");
    EXPECT_EQ(expected[14], "0.13") << "the closing real in 0.##";

    Skeleton child{"child", {bone("PELVIS", true), bone("SPINE"), bone("HEAD")}};
    expected = SkeletonFileLines(child);
    expected[0] = "// comment";
    EXPECT_EQ(skeletonLines(child), expected);

    Skeleton dog{"dog", std::vector<SkeletonBone>(7, bone("LEG"))};
    Lines dogLines = skeletonLines(dog);
    EXPECT_EQ(dogLines.size(), 5u + 7u * 10u + 2u) << "seven ordinary blocks";

    Skeleton other{"robot", {bone("PELVIS", true), bone("A"), bone("B")}};
    Lines otherLines = skeletonLines(other);
    EXPECT_EQ(otherLines.size(), 5u + 13u + 10u + 2u) << "a property block, then n - 2 ordinary ones";
}

TEST(Conversion, BinaryMeshBecomesItsTextLayout) {
    Mesh mesh = SampleBodyMesh("xskin-test-PELVIS-BODY", "x");
    mesh.blends = {{3, 32768}};
    mesh.vertices[1][0] = -0.123456789f;
    Lines lines;
    AppendMeshLines(BinaryMesh(mesh), "test.bmf", lines);
    EXPECT_EQ(lines, (Lines{"xskin-test-PELVIS-BODY", "x", "1", "PELVIS", "1", "0 1 2", "1", "0 0 3 -1 0", "3",
                            "0.5 1.0", "0.25 0.0", "1.0 0.5", "1", "3 32768", "3", "0.0 0.0 0.0 0.0 0.0 1.0",
                            "-0.1234568 0.0 0.0 0.0 0.0 1.0", "0.0 0.1 0.0 0.0 0.0 1.0"}));
    EXPECT_EQ(lines, MeshFileLines(mesh)) << "the writer of the synthetic game agrees";
}

TEST(Conversion, DamagedBinariesAreErrors) {
    Mesh mesh = SampleBodyMesh("xskin-test-PELVIS-BODY", "x");
    auto meshBytes = BinaryMesh(mesh);
    Skeleton adult{"adult", {bone("ROOT"), bone("PELVIS", true)}};
    auto skeletonBytes = BinarySkeleton(adult);
    auto suitBytes = BinaryCharacterFile(SampleSuit("b001mafit_01", "PELVIS", "xskin-x"));

    auto cut = [](std::vector<std::uint8_t> bytes, std::size_t keep) {
        bytes.resize(keep);
        return bytes;
    };
    auto withCount = [&](std::size_t at, std::uint32_t value) {
        auto bytes = meshBytes;
        for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return bytes;
    };
    const std::size_t faceCount = 1 + mesh.name.size() + 2 + 4 + 1 + 6;
    struct Case { const char* fault; std::function<void()> convert; };
    Lines lines;
    const Case cases[] = {
        {"mesh_truncated_in_vertices", [&] { AppendMeshLines(cut(meshBytes, meshBytes.size() - 3), "m", lines); }},
        {"mesh_face_count_past_end", [&] { AppendMeshLines(withCount(faceCount, 0x10000000), "m", lines); }},
        {"mesh_negative_count", [&] { AppendMeshLines(withCount(faceCount, 0xFFFFFFFF), "m", lines); }},
        {"mesh_empty", [&] { AppendMeshLines({}, "m", lines); }},
        {"skeleton_truncated_bone", [&] { AppendSkeletonLines(cut(skeletonBytes, 40), "s", "//", lines); }},
        {"skeleton_huge_bone_count", [&] {
             auto bytes = skeletonBytes;
             bytes[10] = 0xFF;
             bytes[11] = 0xFF;
             AppendSkeletonLines(bytes, "s", "//", lines);
         }},
        {"suit_name_past_end", [&] { AppendSuitLines(cut(suitBytes, 12), "b", "//", lines); }},
        {"suit_skin_name_past_end", [&] { AppendSuitLines(cut(suitBytes, suitBytes.size() - 14), "b", "//", lines); }},
        {"suit_too_short_for_counts", [&] { AppendSuitLines(cut(suitBytes, 3), "b", "//", lines); }},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(c.convert(), FormatError) << c.fault;
    }
}

class ArchiveLookupTest : public ::testing::Test {
protected:
    void build(const std::vector<FarArchiveFile>& first, const std::vector<FarArchiveFile>& second) {
        auto padded = [](std::vector<FarArchiveFile> files) {
            files.push_back({"filler.dat", std::vector<std::uint8_t>(1024, 0)});
            return files;
        };
        game.writeArchive("GameData/Animation/Animation.far", padded(first));
        game.writeArchive("ExpansionPack2/ExpansionPack2.far", padded(second));
        SilentProgress quiet;
        LoadSkinData(catalogue, SkinFolders(game.root(), 2), quiet);
    }
    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    SkinCatalogue catalogue;
};

TEST_F(ArchiveLookupTest, TheEntryCataloguedLastWins) {
    Suit early = SampleSuit("b001mafit_01", "PELVIS", "xskin-early");
    Suit late = SampleSuit("B001MAFit_01", "PELVIS", "xskin-late");
    build({{"b001mafit_01.cmx.bcf", BinaryCharacterFile(early)},
           {"xskin-m-PELVIS-BODY.bmf", BinaryMesh(SampleBodyMesh("early", "x"))}},
          {{"dir\\B001MAFIT_01.CMX.bcf", BinaryCharacterFile(late)},
           {"XSKIN-M-PELVIS-BODY.skn", std::vector<std::uint8_t>{'l', 'a', 't', 'e', '\r', '\n', 'x'}}});
    Lines suit;
    ASSERT_TRUE(SuitFromArchive(catalogue, "B001MAFIT_01", suit));
    EXPECT_EQ(suit.at(9), "xskin-late");
    Lines mesh;
    ASSERT_TRUE(ReadArchivedSKN(catalogue, "xskin-m-pelvis-body", mesh));
    EXPECT_EQ(mesh, (Lines{"late", "x"})) << "upper-case .SKN is binary, exact .skn is text";

    Lines none;
    EXPECT_TRUE(SuitFromArchive(catalogue, "b999mafit_01", none)) << "no entry: true, nothing appended";
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(SuitFromArchive(catalogue, "", none));
    EXPECT_FALSE(SkeletonFromArchive(catalogue, "adult-skeleton", none));
    EXPECT_FALSE(ReadArchivedSKN(catalogue, "xskin-missing", none));
}

TEST_F(ArchiveLookupTest, BinaryAndDamagedEntries) {
    Skeleton adult{"adult", {bone("ROOT"), bone("PELVIS", true)}};
    auto damaged = BinaryMesh(SampleBodyMesh("m", "x"));
    damaged.resize(damaged.size() - 4);
    build({{"adult-skeleton.cmx.bcf", BinarySkeleton(adult)}, {"xskin-broken-PELVIS-BODY.bmf", damaged}}, {});
    Lines skeleton;
    ASSERT_TRUE(SkeletonFromArchive(catalogue, "adult-skeleton", skeleton));
    EXPECT_EQ(skeleton.at(3), "adult");
    Lines mesh;
    EXPECT_FALSE(ReadArchivedSKN(catalogue, "xskin-broken-PELVIS-BODY", mesh));
    EXPECT_FALSE(mesh.empty()) << "the lines converted before the fault stay";
}

}  // namespace
}  // namespace corvane
