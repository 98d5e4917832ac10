#include "skintools/InstalledSkinIndex.h"
#include "skintools/MissingSkinSearch.h"

#include "ValidationSupport.h"
#include "platform/AsciiText.h"
#include "skins/SkinFolders.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using MissingSkinSearchTest = test::SkinToolsTest;

std::vector<std::string> namesOf(const std::vector<SkinField>& fields) {
    std::vector<std::string> names;
    for (const SkinField& field : fields) names.emplace_back(field.name);
    return names;
}

const std::vector<std::string> kHands{"OpenLHandMesh",      "OpenLHandTexture",      "OpenRHandMesh",
                                      "OpenRHandTexture",   "CloseLHandMesh",        "CloseLHandTexture",
                                      "CloseRHandMesh",     "CloseRHandTexture",     "PointingLHandMesh",
                                      "PointingLHandTexture", "PointingRHandMesh",   "PointingRHandTexture"};

std::vector<std::string> with(std::vector<std::string> fields, const std::vector<std::string>& more) {
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

TEST_F(MissingSkinSearchTest, FieldsFollowAgeGroupLevelAndTheFormalsBox) {
    const std::vector<std::string> body{"BodyMesh", "BodyTexture", "HeadMesh", "HeadTexture"};
    struct FieldCase {
        const char* why;
        const char* ageGroup;
        int level;
        bool formals;
        std::vector<std::string> fields;
    } cases[] = {
        {"pets_are_checked_for_their_body_only", "dog", 7, true, {"BodyMesh", "BodyTexture"}},
        {"cats_too", "kat", 2, true, {"BodyMesh", "BodyTexture"}},
        {"adult_at_level_6_wears_fashion", "adult", 6, false,
         with(body, with({"FashionMesh", "FashionTexture", "WinterMesh", "WinterTexture", "SwimMesh", "SwimTexture",
                          "PajamaMesh", "PajamaTexture"},
                         kHands))},
        {"child_at_level_6_has_no_fashion", "child", 6, true,
         with(body, with({"WinterMesh", "WinterTexture", "SwimMesh", "SwimTexture", "PajamaMesh", "PajamaTexture"},
                         kHands))},
        {"level_4_formals_without_formal_hands", "child", 4, true,
         with(body, with({"FormalMesh", "FormalTexture", "WinterMesh", "WinterTexture", "SwimMesh", "SwimTexture",
                          "PajamaMesh", "PajamaTexture", "NudeMesh", "NudeTexture"},
                         kHands))},
        {"level_2_formals_with_formal_hands", "adult", 2, true,
         with(body, with({"FormalMesh", "FormalTexture", "SwimMesh", "SwimTexture", "FormalLHandMesh",
                          "FormalLHandTexture", "FormalRHandMesh", "FormalRHandTexture"},
                         kHands))},
        {"level_3_without_formals", "adult", 3, false,
         with(body, with({"SwimMesh", "SwimTexture", "PajamaMesh", "PajamaTexture", "NudeMesh", "NudeTexture"},
                         kHands))},
    };
    for (const FieldCase& c : cases) {
        Sim sim;
        sim.AgeGroup = c.ageGroup;
        EXPECT_EQ(namesOf(SkinFieldsToCheck(sim, {c.level, c.formals})), c.fields) << c.why;
    }
}

TEST_F(MissingSkinSearchTest, InstalledMeansALooseFileOrAnArchiveEntry) {
    game.installation(0);
    game.writeText("GameData/Skins/B001MAFit_01.cmx", "suit");
    game.writeText("GameData/Textures2/huaolgt.bmp", "texture");
    game.writeText("GameData/Textures2/deeper/hidden_below.bmp", "texture");
    game.writeText("GameData/Textures2/.hidden.bmp", "texture");
    SkinCatalogue catalogue;
    catalogue.ArchiveCharacterEntries.emplace(
        std::vector<FarRecordDetails>{{0, 0, 0, "/g/a.far", "C002MAChd_01.cmx.bcf"}});
    catalogue.ArchiveTextureEntries.emplace(std::vector<FarRecordDetails>{{0, 0, 0, "/g/a.far", "Hand_LGT.bmp"}});
    const SkinFolders folders(game.root(), 0);
    const InstalledSkinIndex installed(folders, catalogue);
    struct InstalledCase {
        const char* name;
        const char* extension;
        bool installed;
    } cases[] = {
        {"b001mafit_01", ".cmx", true},      {"b001mafit_01", ".bmp", false},   {"HUAOLGT", ".bmp", true},
        {"hidden_below", ".bmp", false},     {".hidden", ".bmp", false},        {"c002machd_01", ".cmx", true},
        {"c002machd_01.cmx", ".bcf", false}, {"hand_lgt", ".bmp", true},        {"hand_lgt", ".cmx", false},
        {"", ".cmx", false},                 {"b003mafit_01", ".cmx", false},
    };
    for (const InstalledCase& c : cases) {
        EXPECT_EQ(installed.SkinInstalled(c.name, c.extension), c.installed) << c.name << c.extension;
        // What a folder search per name finds, the index finds too.
        const bool loose = !folders.FindSkinFile(ToLowerAscii(c.name), c.extension).empty();
        EXPECT_TRUE(c.installed || !loose) << c.name << c.extension;
    }
}

TEST_F(MissingSkinSearchTest, RowsNameTheCharacterTheSkinAndTheField) {
    game.installation(4);
    game.writeText("GameData/Skins/b001mafit_01.cmx", "suit");
    game.writeText("GameData/Skins/b001mafitlgt_01.bmp", "texture");
    SkinCatalogue catalogue;
    const InstalledSkinIndex installed(SkinFolders(game.root(), 4), catalogue);

    Sim dog;
    dog.FileName = "User00002";
    dog.FirstName = "Rex";
    dog.AgeGroup = "dog";
    dog.BodyMesh = "b001mafit_01";
    dog.BodyTexture = "<dogfur>";
    Sim child;
    child.FileName = "User00003";
    child.FirstName = "Ann";
    child.LastName = "Lee";
    child.AgeGroup = "child";
    child.BodyMesh = "b001mafit_01";
    child.BodyTexture = "b001mafitlgt_01";
    for (const SkinField& field : SkinFields()) {
        if (child.*field.field == "" && field.name != "FormalMesh") child.*field.field = "b001mafit_01";
    }
    child.HeadTexture = "missinghead";
    std::vector<Sim*> characters{&dog, &child};

    const MissingSkinResult result = SearchMissingSkins(characters, installed, {4, true}, control);

    ASSERT_FALSE(result.stopped);
    std::vector<std::string> rows;
    for (const MissingSkinRow& row : result.rows) {
        rows.push_back(std::to_string(row.number) + "|" + row.character + "|" + row.skinName + "|" + row.field);
    }
    // Every texture field but the body's names a character file, so it is missing as a texture.
    std::vector<std::string> expected{"1|Rex  : User00002|<dogfur>|BodyTexture",
                                      "2|Ann Lee : User00003|missinghead|HeadTexture",
                                      "3|Ann Lee : User00003||FormalMesh",
                                      "4|Ann Lee : User00003|b001mafit_01|FormalTexture",
                                      "5|Ann Lee : User00003|b001mafit_01|WinterTexture",
                                      "6|Ann Lee : User00003|b001mafit_01|SwimTexture",
                                      "7|Ann Lee : User00003|b001mafit_01|PajamaTexture",
                                      "8|Ann Lee : User00003|b001mafit_01|NudeTexture"};
    int number = 9;
    for (const char* hand : {"OpenL", "OpenR", "CloseL", "CloseR", "PointingL", "PointingR"}) {
        expected.push_back(std::to_string(number++) + "|Ann Lee : User00003|b001mafit_01|" + hand + "HandTexture");
    }
    EXPECT_EQ(rows, expected);
}

TEST_F(MissingSkinSearchTest, StoppingKeepsTheRowsOfTheCharactersChecked) {
    game.installation(0);
    SkinCatalogue catalogue;
    const InstalledSkinIndex installed(SkinFolders(game.root(), 0), catalogue);
    Sim a;
    a.AgeGroup = "dog";
    Sim b = a;
    std::vector<Sim*> characters{&a, &b};
    int asked = 0;
    const MissingSkinResult result =
        SearchMissingSkins(characters, installed, {0, false}, ScanControl{progress, [&] { return ++asked > 1; }});
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.rows.size(), 2u) << "the first character's body mesh and texture";
}

}  // namespace
}  // namespace corvane
