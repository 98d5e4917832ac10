#include "render/Skeleton.h"

#include "RenderFixtures.h"
#include "demo/GameBuilder.h"
#include "platform/FormatError.h"
#include "platform/LanguageModule.h"
#include "render/TextLineReader.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using render_test::boneOf;
using render_test::skeletonOf;
using render_test::toBone;

// Three bones whose every number differs, so a block read from the wrong
// line or an item read from the wrong position shows.
std::vector<SkeletonBone> threeBones() {
    return {boneOf("ROOT", "NULL", {1, 2, 3}, {0.1f, 0.2f, 0.3f, 0.4f}),
            boneOf("PELVIS", "ROOT", {4, 5, 6}, {0.5f, 0.6f, 0.7f, 0.8f}),
            boneOf("SPINE", "PELVIS", {7, 8, 9}, {0.9f, 1.0f, 1.1f, 1.2f})};
}

void expectBones(const std::vector<TSkeleton>& actual, const std::vector<SkeletonBone>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const TSkeleton want = toBone(expected[i]);
        EXPECT_EQ(actual[i].name, want.name) << i;
        EXPECT_EQ(actual[i].parent, want.parent) << i;
        EXPECT_EQ(actual[i].translation.x, want.translation.x) << i;
        EXPECT_EQ(actual[i].translation.y, want.translation.y) << i;
        EXPECT_EQ(actual[i].translation.z, want.translation.z) << i;
        EXPECT_EQ(actual[i].rotation.x, want.rotation.x) << i;
        EXPECT_EQ(actual[i].rotation.y, want.rotation.y) << i;
        EXPECT_EQ(actual[i].rotation.z, want.rotation.z) << i;
        EXPECT_EQ(actual[i].rotation.w, want.rotation.w) << i;
    }
}

Lines fileLines(const std::string& kind, std::vector<SkeletonBone> bones) {
    return SkeletonFileLines(skeletonOf(kind, std::move(bones)));
}

// Each kind has its fixed block sequence: the adult's property block second,
// the child's first, none for the animals.
TEST(SkeletonFile, EachKindReadsItsOwnBlockSequence) {
    const struct {
        const char* word;
        SkeletonKind kind;
    } cases[] = {{"adult", Adult}, {"child", Child}, {"dog", Dog}, {"kat", Kat}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const ParsedSkeleton skeleton = ParseSkeleton(fileLines(c.word, threeBones()), "s.cmx");
        EXPECT_EQ(skeleton.kind, c.kind);
        expectBones(skeleton.bones, threeBones());
    }
}

TEST(SkeletonFile, AnAdultAlwaysYieldsItsFirstTwoBones) {
    auto bones = threeBones();
    bones.pop_back();
    Lines lines = fileLines("adult", bones);
    expectBones(ParseSkeleton(lines, "s.cmx").bones, bones);

    lines[4] = "1";
    expectBones(ParseSkeleton(lines, "s.cmx").bones, bones);
}

TEST(SkeletonFile, AnAnimalWithNoBonesHasNone) {
    Lines lines = fileLines("dog", threeBones());
    lines[4] = "0";
    EXPECT_TRUE(ParseSkeleton(lines, "s.cmx").bones.empty());
    lines[4] = "-3";
    EXPECT_TRUE(ParseSkeleton(lines, "s.cmx").bones.empty());
}

TEST(SkeletonFile, AnUnknownKindWordReadsAsAnAdult) {
    Lines lines = fileLines("adult", threeBones());
    lines[3] = "robot";
    const ParsedSkeleton skeleton = ParseSkeleton(lines, "s.cmx");
    EXPECT_EQ(skeleton.kind, Adult);
    expectBones(skeleton.bones, threeBones());
}

TEST(SkeletonFile, BoneNamesAreKeptExactly) {
    Lines lines = fileLines("dog", threeBones());
    lines[5] = " Root ";
    EXPECT_EQ(ParseSkeleton(lines, "s.cmx").bones[0].name, " Root ");
}

// Line 8 is the first adult bone's translation line (block at 5, +3).
TEST(SkeletonFile, TranslationLinesSplitIntoItemsAfterTheOpeningOne) {
    const struct {
        const char* line;
        TVector3 expected;
    } cases[] = {
        {"| 1.5 0 -2 |", {1.5f, 0, -2}},
        {"|\t1.5,0 ,  -2\t|", {1.5f, 0, -2}},
        {"  | 1.5 0 -2", {1.5f, 0, -2}},
        {"| \"1.5\" 0 -2 |", {1.5f, 0, -2}},
        {"| -1.25e-003 2.5E+001 +3 |", {-1.25e-3f, 25.0f, 3.0f}},
        {"x 1 2 3 4 5", {1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Lines lines = fileLines("adult", threeBones());
        lines[8] = c.line;
        const TVector3 t = ParseSkeleton(lines, "s.cmx").bones[0].translation;
        EXPECT_EQ(t.x, c.expected.x);
        EXPECT_EQ(t.y, c.expected.y);
        EXPECT_EQ(t.z, c.expected.z);
    }
}

TEST(SkeletonFile, ItemsSplitAtCommasBlanksAndAroundQuotedRuns) {
    const struct {
        const char* line;
        Lines items;
    } cases[] = {
        {"| 1.5 0 -2 |", {"|", "1.5", "0", "-2", "|"}},
        {"|1.5 0", {"|1.5", "0"}},
        {"  a \t\r b  ", {"a", "b"}},
        {"a,b , c", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"\"x y\" z", {"x y", "z"}},
        {"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}},
        {"\"open", {"open"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLineItems(c.line), c.items) << c.line;
    }
}

TEST(SkeletonFile, AFaultNamesTheFileAndTheLine) {
    const auto twoBoneAdult = [] {
        auto bones = threeBones();
        bones.pop_back();
        return fileLines("adult", bones);
    };
    const struct {
        const char* fault;
        std::size_t line;
        std::function<void(Lines&)> damage;
    } cases[] = {
        {"bar_without_blank", 8, [](Lines& l) { l[8] = "|1.5 0 -2 |"; }},
        {"count_not_a_number", 4, [](Lines& l) { l[4] = "2x"; }},
        {"count_in_hexadecimal", 4, [](Lines& l) { l[4] = "0x2"; }},
        {"translation_item_not_a_number", 8, [](Lines& l) { l[8] = "| 1.5 one -2 |"; }},
        {"translation_item_no_number_word", 8, [](Lines& l) { l[8] = "| nan 0 -2 |"; }},
        {"translation_item_beyond_single", 8, [](Lines& l) { l[8] = "| 1e39 0 -2 |"; }},
        {"rotation_item_missing", 9, [](Lines& l) { l[9] = "| 0 0 1 |"; }},
        {"property_block_rotation_item_bad", 22, [](Lines& l) { l[22] = "| 0 0 1 1.0.0 |"; }},
        {"kind_line_missing", 3, [](Lines& l) { l.resize(3); }},
        {"count_line_missing", 4, [](Lines& l) { l.resize(4); }},
        {"file_ends_inside_a_block", 31, [](Lines& l) { l[4] = "3"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        Lines lines = twoBoneAdult();
        c.damage(lines);
        try {
            ParseSkeleton(lines, "broken.cmx");
            ADD_FAILURE() << "parsed";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.file(), "broken.cmx");
            EXPECT_EQ(error.offset(), c.line);
        }
    }
}

class LoadSkeletonTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("5010\tOK\n5022\tCorvane 3D\n", "t.lng"));
        game.installation(0);
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    void looseSkeleton(const std::string& fileName, const Skeleton& skeleton) {
        game.writeText("GameData/Skins/" + fileName, JoinCrLf(SkeletonFileLines(skeleton)));
    }
    void archivedSkeleton(const std::string& entryName, const Skeleton& skeleton) {
        catalogue = render_test::catalogueOfArchive(
            game.writeArchive("GameData/Textures/Textures.far", {{entryName, BinarySkeleton(skeleton)}}));
    }
    std::optional<ParsedSkeleton> load(const std::string& name) {
        return LoadSkeleton(folders, catalogue, name, dialogs);
    }

    test::TempDir folder;
    GameBuilder game{folder.path() / "game"};
    SkinFolders folders{game.root(), 0};
    SkinCatalogue catalogue;
    test::ScriptedDialogs dialogs;
};

TEST_F(LoadSkeletonTest, ASkinFolderFileComesBeforeTheArchives) {
    auto fromFile = threeBones();
    auto fromArchive = threeBones();
    fromArchive[0].name = "ARCHIVED";
    archivedSkeleton("adult-skeleton.cmx.bcf", skeletonOf("adult", fromArchive));
    looseSkeleton("adult-skeleton.cmx", skeletonOf("adult", fromFile));

    const auto skeleton = load("adult-skeleton.cmx");
    ASSERT_TRUE(skeleton);
    expectBones(skeleton->bones, fromFile);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(LoadSkeletonTest, TheArchivesSupplyASkeletonNoFolderHolds) {
    archivedSkeleton("child-skeleton.cmx.bcf", skeletonOf("child", threeBones()));

    const auto skeleton = load("child-skeleton.cmx");
    ASSERT_TRUE(skeleton);
    EXPECT_EQ(skeleton->kind, Child);
    expectBones(skeleton->bones, threeBones());
}

TEST_F(LoadSkeletonTest, ASkeletonFoundNowhereIsReportedByItsStoredName) {
    archivedSkeleton("adult-skeleton.cmx.bcf", skeletonOf("adult", threeBones()));
    dialogs.answer(mrOk);

    EXPECT_FALSE(load("dog_skeleton.cmx"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const MessageRequest& message = dialogs.messages()[0];
    EXPECT_EQ(message.text, "CV3D Error, Unable to locate dog_skeleton.cmx");
    EXPECT_EQ(message.caption, "Corvane 3D");
    ASSERT_EQ(message.buttons.size(), 1u);
    EXPECT_EQ(message.buttons[0].result, mrOk);
}

TEST_F(LoadSkeletonTest, AnUnreadableSkeletonThrowsWithoutAMessage) {
    Lines lines = fileLines("kat", threeBones());
    lines[8] = "| 1 2 |";
    game.writeText("GameData/Skins/kat_skeleton.cmx", JoinCrLf(lines));

    EXPECT_THROW(load("kat_skeleton.cmx"), FormatError);
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace corvane
