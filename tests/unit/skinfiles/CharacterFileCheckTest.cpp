#include "skins/CharacterFileCheck.h"

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/LanguageModule.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

const KnownMeshes& installed() {
    static const KnownMeshes meshes({"/g/GameData/Skins/xskin-b001mafit_01-PELVIS-BODY.skn"},
                                    {FarRecordDetails{1, 1, 0, "/g/a.far", "XSKIN-HEAD-HEAD.bmf"}});
    return meshes;
}

Lines characterFile(const std::string& suitName, const Lines& meshes) {
    Suit suit{suitName, 0, {}};
    for (const std::string& mesh : meshes) {
        suit.skins.push_back({"PELVIS", mesh});
    }
    return CharacterFileLines(suit);
}

TEST(CharacterFileCheck, FindingsFollowTheFileLines) {
    struct Case { const char* what; Lines lines; bool badName; std::string missing; };
    const Case cases[] = {
        {"name in other case with a blank", characterFile("B001MAFit_01 ", {"xskin-b001mafit_01-PELVIS-BODY"}), false, ""},
        {"archive mesh, any case", characterFile("b001mafit_01", {"xskin-head-head"}), false, ""},
        {"renamed file", characterFile("b002mafit_01", {"xskin-b001mafit_01-PELVIS-BODY"}), true, ""},
        {"first missing mesh before the name is passed over",
         Lines{"// c", "version 300", "xskin-gone", "PELVIS", "b002mafit_01", "0"}, true, ""},
        {"the last missing mesh wins", characterFile("b001mafit_01", {"xskin-gone-1", "xskin-gone-2"}), false,
         "xskin-gone-2"},
        {"animation file", Lines{"// anim", "version 300", "PELVIS", "xskill", "xskin-gone"}, false, ""},
        {"censor file without bones", Lines{"// c", "version 300", "0", "1", "other", "1", "0", "0", "0"}, false, ""},
    };
    for (const Case& c : cases) {
        CharacterFileFindings findings = AnalyseCharacterFile(c.lines, "b001mafit_01", installed());
        EXPECT_EQ(findings.badName, c.badName) << c.what;
        EXPECT_EQ(findings.missingMesh, c.missing) << c.what;
    }
}

class CheckModesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("5022\tCorvane 3D\n6153\tName differs\n7082\tProblem\n7083\tIn\n"
                                                "7084\tFix it\n7085\tMesh:\n7086\tFile:\n7087\tExpected:\n7088\tNot found\n",
                                                "t.lng"));
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    std::filesystem::path file(const std::string& suitName, const Lines& meshes) {
        return files.writeText("Skins/b001mafit_01.cmx", JoinCrLf(characterFile(suitName, meshes)));
    }

    test::TempDir folder;
    GameBuilder files{folder.path()};
    test::ScriptedDialogs dialogs;
    ProblemList problems;
};

TEST_F(CheckModesTest, ListingModeTellsEachProblem) {
    auto path = file("b002mafit_01", {"xskin-b001mafit_01-PELVIS-BODY", "xskin-gone", "xskin-gone"});
    dialogs.answer(mrOk).answer(mrOk);
    EXPECT_FALSE(CheckCharacterFile(path, CheckMode::Listing, installed(), &dialogs, nullptr));
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, "Problem\nIn\n" + path.string() + "\n\nFix it\n\n");
    EXPECT_EQ(dialogs.messages()[1].text, "Problem\nMesh: xskin-gone\nFile: " + path.string() +
                                              "\nExpected: xskin-gone.skn\nNot found\n\nFix it\n\n");
    EXPECT_EQ(dialogs.messages()[0].caption, "Corvane 3D");
}

TEST_F(CheckModesTest, BuilderModeTellsOnlyAMissingMesh) {
    auto path = file("b002mafit_01", {"xskin-b001mafit_01-PELVIS-BODY"});
    EXPECT_FALSE(CheckCharacterFile(path, CheckMode::Builder, installed(), &dialogs, nullptr)) << "a bad name is quiet";
    EXPECT_TRUE(dialogs.messages().empty());

    path = file("b001mafit_01", {"xskin-gone", "xskin-gone"});
    dialogs.answer(mrOk);
    EXPECT_FALSE(CheckCharacterFile(path, CheckMode::Builder, installed(), &dialogs, nullptr));
    EXPECT_EQ(dialogs.messageTexts(), Lines{"Problem\nMesh: xskin-gone\nExpected: xskin-gone.skn\nNot found\n"});

    path = file("b001mafit_01", {"xskin-b001mafit_01-PELVIS-BODY"});
    EXPECT_TRUE(CheckCharacterFile(path, CheckMode::Builder, installed(), &dialogs, nullptr));
}

TEST_F(CheckModesTest, ValidationModeListsProblemsQuietly) {
    // The first unknown mesh before the suit name is passed over, the second is reported.
    auto path = file("b002mafit_01", {"xskin-gone", "xskin-gone"});
    CheckCharacterFile(path, CheckMode::Validation, installed(), nullptr, &problems);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].Kind, "BadName");
    EXPECT_EQ(problems[0].FileName, "b001mafit_01.cmx");
    EXPECT_EQ(problems[0].Folder, (folder.path() / "Skins").string() + "/");
    EXPECT_EQ(problems[0].Description, "Name differs");
    EXPECT_EQ(problems[1].Kind, "MissingSKN");
    EXPECT_EQ(problems[1].Description, "Mesh: xskin-gone\nExpected: xskin-gone.skn\nNot found");
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace corvane
