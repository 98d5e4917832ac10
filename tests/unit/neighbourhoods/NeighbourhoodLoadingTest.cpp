#include "neighbourhoods/NeighbourhoodLoader.h"

#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "iff/IffContainer.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Person-data indices the loader reads (value k at P + 18 + 2k).
constexpr int kNice = 2, kCareer = 56, kAge = 58, kSkinColor = 60, kGender = 65, kFameScore = 80;

class NeighbourhoodLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse(
            "5022\tCorvane 3D\n6199\tWrong version\n7002\tNo characters\n7003\tLoading\n7044\tShell failed\n"
            "7089\tDamaged: \n7090\ta\n7091\tb\n7092\tc\n7157\tDelete?\n7166\tToo short:\n7167\tUnreadable:\n"
            "7168\tNo neighborhood file:\n7171\tNeighbourhood damaged:\n7172\tLeft in place:\n7173\tDamaged Sims:\n",
            "t.lng"));
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    // A character of the Goth household with its neighbour record.
    void addCharacter(const std::string& file, int id, std::uint32_t guid, const std::string& ageGroup,
                      std::map<int, std::uint16_t> personData = {}) {
        CharacterFileSpec character;
        character.fileName = file;
        character.guid = guid;
        character.names = {{1, {"Name" + std::to_string(id), "Bio" + std::to_string(id)}}};
        character.bodyStrings = StandardBodyStrings(ageGroup, level, "fit");
        characters.push_back(character);
        personData.emplace(kAge, ageGroup == "child" ? 9 : 27);
        NeighbourSpec neighbour;
        neighbour.fileName = file;
        neighbour.neighbourId = id;
        neighbour.guid = guid;
        neighbour.recordVersion = NeighbourRecordVersionFor(level);
        neighbour.personData = personData;
        neighbourhood.neighbours.push_back(neighbour);
        goths.members.push_back(guid);
    }

    OpenedNeighbourhood open() {
        auto userData = game.neighbourhood("UserData");
        neighbourhood.version = neighbourhood.version ? neighbourhood.version : NeighbourhoodVersionFor(level);
        neighbourhood.families = {goths};
        game.writeFile("UserData/neighborhood.iff", MakeNeighbourhoodFile(neighbourhood));
        for (const auto& character : characters) {
            game.writeFile("UserData/Characters/" + character.fileName + ".iff", MakeCharacterFile(character));
        }
        NeighbourhoodLoadSettings settings;
        settings.folder = userData;
        settings.expansionLevel = level;
        settings.languageNumber = languageNumber;
        settings.hasFameFolders = level >= 6;
        settings.applicationFolder = folder.path() / "app";
        settings.mayMoveFiles = editing;
        SilentProgress quiet;
        return OpenNeighbourhood(settings, dialogs, quiet);
    }

    test::TempDir folder;
    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
    GameBuilder game{folder.path() / "game"};
    int level = 0;
    int languageNumber = 1;
    bool editing = false;  // opened by the editor, which may move files to the Trash
    std::vector<CharacterFileSpec> characters;
    NeighbourhoodFileSpec neighbourhood{0, {}, {}};
    FamilySpec goths{7, "Goth", 12, 30000, 45000, {}};
    test::ScriptedDialogs dialogs;
};

TEST_F(NeighbourhoodLoadingTest, LoadsNamesFamilyPersonDataAndOlderSkinLayout) {
    addCharacter("User00001", 3, 0xA1B2C3D4, "adult", {{kNice, 800}, {kCareer, 0xFFFF}, {kSkinColor, 2}, {kGender, 1}});
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 1u);
    const Sim& sim = *opened.characters[0];
    EXPECT_EQ(sim.FileName, "User00001");
    EXPECT_EQ(sim.FirstName, "Name3");
    EXPECT_EQ(sim.Bio, "Bio3");
    EXPECT_EQ(sim.LastName, "Goth");
    EXPECT_EQ(sim.HouseNumber, 12);
    EXPECT_EQ(sim.FamilyCash, 30000);
    EXPECT_EQ(sim.FamilyAssets, 45000);
    EXPECT_EQ(sim.NeighborID, 3);
    EXPECT_EQ(sim.Nice, 800);
    EXPECT_EQ(sim.Career, 65535) << "0xFFFF is read zero-extended";
    EXPECT_EQ(sim.Age, 27);
    EXPECT_EQ(sim.SkinAge, 27);
    EXPECT_EQ(sim.Gender, 1);
    EXPECT_EQ(sim.AgeGroup, "adult");
    EXPECT_EQ(sim.BodyMesh, "b001mafit_01");
    EXPECT_EQ(sim.BodyTexture, "b001mafitlgt_casual");
    EXPECT_EQ(sim.BodySize, "fit");
    EXPECT_EQ(sim.SwimMesh, "u001mafit_swim") << "30 entries at level 0: the older swimwear entry";
    EXPECT_EQ(sim.FormalMesh, "f001mafit_old");
    EXPECT_EQ(sim.OpenLHandMesh, "hmlo");
    EXPECT_EQ(sim.CloseRHandTexture, "huaclgt");
    EXPECT_EQ(sim.PajamaMesh, "pajamaffit_01") << "the default pajamas carry the gender letter";
    EXPECT_EQ(sim.PajamaTexture, "Pajamaflgt_01");
    EXPECT_EQ(sim.BodyString3to11[0], "carried3");
    EXPECT_EQ(sim.BodyStringsHead.substr(0, 4), "STR#");
    EXPECT_FALSE(sim.Modified);
    EXPECT_TRUE(opened.thumbnails[0].has_value());
    EXPECT_EQ(opened.thumbnails[0]->width, 25);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(NeighbourhoodLoadingTest, NewerRecordsPlaceTheIdAndFameAfterTheLongerArray) {
    level = 7;
    addCharacter("User00001", 5, 0x11111111, "adult", {{kFameScore, 640}, {kFameScore + 1, 6}, {kFameScore + 2, 8}});
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 1u);
    const Sim& sim = *opened.characters[0];
    EXPECT_EQ(sim.PersonDataValues, 256);
    EXPECT_EQ(sim.NeighborID, 5);
    EXPECT_EQ(sim.FameScore, 640);
    EXPECT_EQ(sim.FameStarPower, 6);
    EXPECT_EQ(sim.FameStarHighWatermark, 8);
    EXPECT_EQ(sim.FashionMesh, "h001mafit_chic") << "35 entries at level 7";
    EXPECT_EQ(sim.PajamaMesh, "l001mafit_pj");
    EXPECT_EQ(sim.SwimMesh, "s001mafit_trunks");
}

TEST_F(NeighbourhoodLoadingTest, RelationshipsTakeAsManyValuesAsTheirRecordsHold) {
    level = 3;
    addCharacter("User00001", 1, 0x01010101, "adult");
    addCharacter("User00002", 2, 0x02020202, "child");
    neighbourhood.neighbours[0].relationships = {{2, {40}}, {9, {70, 1, 80, 1}}};
    neighbourhood.neighbours[1].relationships = {{1, {-20, 1}}};
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 2u);
    const Sim& adult = *opened.characters[0];
    ASSERT_EQ(adult.Relationships.size(), 1u) << "a relationship to a character not listed is skipped";
    EXPECT_EQ(adult.Relationships[0].Daily, 40);
    EXPECT_EQ(adult.Relationships[0].Lifetime, 0);
    EXPECT_EQ(adult.Relationships[0].ValueCount, 1);
    EXPECT_EQ(adult.Relationships[0].TargetFirstName, "Name2");
    const Sim& child = *opened.characters[1];
    ASSERT_EQ(child.Relationships.size(), 1u);
    EXPECT_EQ(child.Relationships[0].Daily, -20);
    EXPECT_EQ(child.Relationships[0].Crush, 1);
    EXPECT_EQ(child.Relationships[0].Love, 0);
    const std::int32_t atTarget = opened.image->i32(static_cast<std::size_t>(child.Relationships[0].RecordPos)).value();
    EXPECT_EQ(atTarget, 1) << "RecordPos points at the target id";
}

TEST(BodyStringLayouts, SwimwearFormalAndPajamasByLevelAndCount) {
    struct Case { const char* what; int level; const char* ageGroup; std::size_t count; const char* swim;
                  const char* formal; const char* pajama; };
    const Case cases[] = {
        {"base game adult", 0, "adult", 30, "u001mafit_swim", "f001mafit_old", "pajamamfit_01"},
        {"base game adult, newer file", 2, "adult", 35, "s001mafit_trunks", "f002mafit_suit", "pajamamfit_01"},
        {"second pack child, newer file", 2, "child", 35, "u001mcchd_swim", "f001mcchd_old", "pjsmchd_01"},
        {"third pack adult", 3, "adult", 33, "s001mafit_trunks", "f002mafit_suit", "l001mafit_pj"},
        {"third pack child", 3, "child", 33, "s001mcchd_trunks", "f002mcchd_suit", "pjsmchd_01"},
        {"fourth pack child", 4, "child", 34, "s001mcchd_trunks", "f002mcchd_suit", "l001mcchd_pj"},
    };
    for (const Case& c : cases) {
        test::TempDir folder;
        GameBuilder game(folder.path());
        NeighborhoodImage image(MakeNeighbourhoodFile({}));
        CharacterFileSpec spec;
        spec.bodyStrings = StandardBodyStrings(c.ageGroup, c.level >= 2 && c.count == 35 ? 7 : c.level);
        ASSERT_EQ(spec.bodyStrings.size(), c.count) << c.what;
        CharacterLoadContext context{&image, 1, c.level, false, {}};
        const Sim sim = ReadCharacter(MakeCharacterFile(spec), "User00001", context).sim;
        EXPECT_EQ(sim.SwimMesh, c.swim) << c.what;
        EXPECT_EQ(sim.FormalMesh, c.formal) << c.what;
        EXPECT_EQ(sim.PajamaMesh, c.pajama) << c.what;
        EXPECT_EQ(sim.WinterMesh.empty(), c.level < 4) << c.what;
    }
}

TEST(CharacterReading, ANeighbourSearchOnADamagedNeighbourhoodMarksTheCharacterDamaged) {
    NeighbourhoodFileSpec spec;
    spec.neighbours.push_back(NeighbourSpec{});
    auto bytes = MakeNeighbourhoodFile(spec);
    const auto ngbh = ReadChunkList(bytes).sections.at(0);
    for (std::size_t i = 4; i < 8; ++i) bytes[static_cast<std::size_t>(ngbh.ChunkOffset) + i] = 0;  // before NBRS
    const NeighborhoodImage image(bytes);
    CharacterLoadContext context{&image, 1, 0, false, {}};
    CharacterFileSpec character;
    character.bodyStrings = StandardBodyStrings("adult", 0);
    const LoadedCharacter loaded = ReadCharacter(MakeCharacterFile(character), "User00001", context);
    EXPECT_TRUE(loaded.sim.isDamaged());
    EXPECT_EQ(loaded.sim.Damage, "neighborhood.iff: the NGBH chunk at offset 64 claims 0 bytes, less than its 76-byte header (file of " +
                                     std::to_string(bytes.size()) + " bytes)");
    EXPECT_EQ(loaded.sim.NeighborEntryPos, 0);
    EXPECT_FALSE(loaded.sim.Modified);
}

TEST_F(NeighbourhoodLoadingTest, ATruncatedNeighbourhoodFileLeavesTheCharactersOutWithAMessage) {
    addCharacter("User00001", 1, 0x01010101, "adult");
    neighbourhood.version = NeighbourhoodVersionFor(level);
    neighbourhood.families = {goths};
    auto bytes = MakeNeighbourhoodFile(neighbourhood);
    const NeighborhoodImage whole(bytes);
    const std::size_t p = whole.neighbourRecordOf("User00001").position;
    bytes.resize(p + 100);  // cut inside the person data
    auto userData = game.neighbourhood("UserData");
    game.writeFile("UserData/neighborhood.iff", bytes);
    game.writeFile("UserData/Characters/User00001.iff", MakeCharacterFile(characters[0]));
    NeighbourhoodLoadSettings settings;
    settings.folder = userData;
    SilentProgress quiet;
    dialogs.answer(mrOk);
    auto opened = OpenNeighbourhood(settings, dialogs, quiet);
    EXPECT_TRUE(opened.characters.empty());
    ASSERT_EQ(dialogs.messageTexts().size(), 1u);
    const std::string text = dialogs.messageTexts()[0];
    EXPECT_EQ(text.rfind("Neighbourhood damaged:\n", 0), 0u) << text;
    EXPECT_NE(text.find("neighborhood.iff: the NBRS chunk at offset "), std::string::npos) << text;
    EXPECT_NE(text.find("past the end of the file (" + std::to_string(bytes.size()) + " bytes)"), std::string::npos) << text;
}

TEST_F(NeighbourhoodLoadingTest, RepairsWrongBodySizes) {
    addCharacter("User00001", 1, 0x01010101, "adult");
    addCharacter("User00002", 2, 0x02020202, "child");
    characters[0].bodyStrings = StandardBodyStrings("adult", 0, "tnr");
    characters[1].bodyStrings = StandardBodyStrings("adult", 0, "fit");
    characters[1].bodyStrings[0] = "child";
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 2u);
    EXPECT_EQ(opened.characters[0]->BodySize, "fit");
    EXPECT_TRUE(opened.characters[0]->Modified);
    EXPECT_EQ(opened.characters[1]->BodySize, "chd");
    EXPECT_TRUE(opened.characters[1]->Modified);
}

TEST_F(NeighbourhoodLoadingTest, NamesInTheGamesLanguageWithEnglishStandingIn) {
    languageNumber = 3;
    addCharacter("User00001", 1, 0x01010101, "adult");
    addCharacter("User00002", 2, 0x02020202, "adult");
    addCharacter("User00003", 3, 0x03030303, "adult");
    characters[1].names = {{1, {"Bob", "English bio"}}, {3, {"Robert", ""}}};
    characters[1].names[3] = {"Robert", ""};
    characters[2].names = {{1, {"Ann", "Plain"}}};
    characters[2].namesWithoutLanguages = true;
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 3u);
    EXPECT_EQ(opened.characters[0]->FirstName, "Name1") << "US English only: the same in every language";
    EXPECT_EQ(opened.characters[1]->FirstName, "Robert");
    EXPECT_EQ(opened.characters[2]->FirstName, "Ann") << "a table without language bytes reads as US English";
    EXPECT_EQ(opened.characters[2]->Bio, "Plain");
}

TEST_F(NeighbourhoodLoadingTest, VersionMismatchAndEmptyNeighbourhoods) {
    level = 5;
    neighbourhood.version = 72;
    addCharacter("User00001", 1, 0x01010101, "adult");
    dialogs.answer(mrOk);
    EXPECT_TRUE(open().characters.empty());
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Wrong version : 72"});
}

TEST_F(NeighbourhoodLoadingTest, ANeighbourhoodWithoutCharactersOrFileSaysSo) {
    game.neighbourhood("UserData");
    game.writeFile("UserData/neighborhood.iff", MakeNeighbourhoodFile(neighbourhood));
    NeighbourhoodLoadSettings settings;
    settings.folder = game.root() / "UserData";
    SilentProgress quiet;
    dialogs.answer(mrOk);
    EXPECT_TRUE(OpenNeighbourhood(settings, dialogs, quiet).characters.empty());
    settings.folder = game.root() / "UserData2";
    dialogs.answer(mrOk);
    EXPECT_TRUE(OpenNeighbourhood(settings, dialogs, quiet).characters.empty());
    ASSERT_EQ(dialogs.messageTexts().size(), 2u);
    EXPECT_EQ(dialogs.messageTexts()[0], "No characters");
    EXPECT_EQ(dialogs.messageTexts()[1].rfind("No neighborhood file:\n", 0), 0u);
}

// The offset of the third chunk (the body strings of a character file).
std::size_t thirdChunkOffset(const std::vector<std::uint8_t>& file) {
    const ChunkList list = ReadChunkList(file);
    return static_cast<std::size_t>(list.sections.at(2).ChunkOffset);
}

TEST_F(NeighbourhoodLoadingTest, ShortUnreadableAndDamagedFilesDoNotStopTheOthers) {
    editing = true;
    addCharacter("User00001", 1, 0x01010101, "adult");
    addCharacter("User00003", 3, 0x03030303, "adult");
    game.writeText("UserData/Characters/User00002.iff", "too short");
    // A damaged chunk list: the third chunk's size is zero.
    auto damaged = MakeCharacterFile(characters[1]);
    const std::size_t third = thirdChunkOffset(damaged);
    for (std::size_t i = 4; i < 8; ++i) damaged[third + i] = 0;
    characters.pop_back();
    dialogs.answer(mrNo).answer(mrOk).answer(mrOk);  // keep the damaged file; the notes about both
    auto userData = game.neighbourhood("UserData");
    game.writeFile("UserData/Characters/User00003.iff", damaged);
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 2u);
    EXPECT_FALSE(opened.characters[0]->Modified);
    EXPECT_FALSE(opened.characters[0]->isDamaged());
    EXPECT_FALSE(opened.characters[1]->Modified) << "a damaged character is never saved, so not modified";
    // The body strings' own size, read by the game's scan, says they hold nothing either.
    const std::string at = std::to_string(third);
    const std::string damage = "User00003.iff: the STR# chunk at offset " + at +
                               " claims 0 bytes, less than its 76-byte header (file of " +
                               std::to_string(damaged.size()) + " bytes); User00003.iff: the body strings hold 0 of "
                               "their 30 entries; the chunk at offset " + at + " ends at offset " + at;
    EXPECT_EQ(opened.characters[1]->Damage, damage);
    EXPECT_FALSE(std::filesystem::exists(userData / "Characters/User00002.iff"));
    EXPECT_FALSE(std::filesystem::is_empty(folder.path() / "data/Trash/files")) << "the short file went to the Trash";
    ASSERT_EQ(dialogs.messageTexts().size(), 3u);
    EXPECT_EQ(dialogs.messageTexts()[0].rfind("Damaged: User00003.iff\n", 0), 0u);
    EXPECT_EQ(dialogs.messages()[0].kind, MsgKind::Warning);
    EXPECT_EQ(dialogs.messageTexts()[1], "Too short:\nUser00002.iff");
    EXPECT_EQ(dialogs.messageTexts()[2], "Damaged Sims:\n" + damage);
}

TEST_F(NeighbourhoodLoadingTest, ReadingLeavesShortAndDamagedFilesInPlaceAndListsThem) {
    addCharacter("User00001", 1, 0x01010101, "adult");
    addCharacter("User00003", 3, 0x03030303, "adult");
    auto damaged = MakeCharacterFile(characters[1]);
    const std::size_t third = thirdChunkOffset(damaged);
    for (std::size_t i = 4; i < 8; ++i) damaged[third + i] = 0;
    characters.pop_back();
    dialogs.answer(mrOk).answer(mrOk);  // no question: only the two notes
    auto userData = game.neighbourhood("UserData");
    const std::vector<std::uint8_t> small(512, 0xA3);
    game.writeFile("UserData/Characters/User00002.iff", small);
    game.writeFile("UserData/Characters/User00003.iff", damaged);
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 2u);
    EXPECT_TRUE(opened.characters[1]->isDamaged());
    EXPECT_FALSE(opened.characters[1]->Modified);
    EXPECT_EQ(ReadFileBytes(userData / "Characters/User00002.iff"), small) << "left in place";
    EXPECT_EQ(ReadFileBytes(userData / "Characters/User00003.iff"), damaged) << "left in place";
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data/Trash")) << "nothing went to the Trash";
    ASSERT_EQ(dialogs.messageTexts().size(), 2u);
    EXPECT_EQ(dialogs.messageTexts()[0],
              "Left in place:\nUser00002.iff: 512 bytes, too short to be a character file; left in place");
    EXPECT_EQ(dialogs.messageTexts()[1].rfind("Damaged Sims:\nUser00003.iff: the STR# chunk at offset ", 0), 0u);
    EXPECT_EQ(dialogs.messageTexts()[1].substr(dialogs.messageTexts()[1].size() - 15), "; left in place");
}

TEST_F(NeighbourhoodLoadingTest, ANameMatchesOnlyWithItsTerminatingZero) {
    addCharacter("User00012", 1, 0x01010101, "adult");
    addCharacter("User0001", 2, 0x02020202, "adult");
    neighbourhood.neighbours.pop_back();  // User0001 has no neighbour record of its own
    auto opened = open();
    ASSERT_EQ(opened.characters.size(), 2u);
    EXPECT_EQ(opened.characters[0]->FileName, "User0001");
    EXPECT_EQ(opened.characters[0]->NeighborEntryPos, 0) << "User00012 does not stand for User0001";
    EXPECT_FALSE(opened.characters[0]->hasNeighbourEntry());
    EXPECT_TRUE(opened.characters[1]->hasNeighbourEntry());
}

}  // namespace
}  // namespace corvane
