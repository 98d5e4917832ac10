#include "cli/Chatter.h"
#include "cli/CommandLine.h"
#include "cli/NeighbourhoodCommands.h"
#include "cli/SetCommand.h"

#include "iff/IffRewrite.h"
#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "sim/FieldAssignment.h"
#include "sim/SkinEdits.h"
#include "unit/cli/DemoGameTest.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <iostream>
#include <fstream>
#include <map>

namespace corvane::cli {
namespace {

class SetCommandTest : public DemoGameTest {
protected:
    std::vector<std::uint8_t> neighbourhood() const { return ReadFileBytes(game / "UserData" / "neighborhood.iff"); }
};

TEST_F(SetCommandTest, ChangesFieldsAndSavesThem) {
    const std::string printed = run(RunSet, {"UserData", "User00002", "Neat=321", "FirstName=Eléna", "Bio=Sings."});
    EXPECT_EQ(printed, "FirstName: \"Elena\" -> \"Eléna\"\nBio: \"Elena lives in the demo neighborhood.\" -> \"Sings.\"\n"
                       "Neat: 900 -> 321\n");
    const std::string shown = run(RunShow, {"UserData", "User00002"});
    EXPECT_NE(shown.find("Neat\t321\n"), std::string::npos);
    EXPECT_NE(shown.find("FirstName\tEléna\n"), std::string::npos) << "stored in the game's code page, shown as UTF-8";
    EXPECT_NE(shown.find("Bio\tSings.\n"), std::string::npos);
}

// The command line's edits are the pages' edits, side effects included.
TEST_F(SetCommandTest, SetFollowsTheRulesOfTheEditPages) {
    run(RunSet, {"UserData", "User00001", "JobLevel=5", "Career=0", "Ghost=1"});
    const std::string shown = run(RunShow, {"UserData", "User00001"});
    EXPECT_NE(shown.find("JobLevel\t0\n"), std::string::npos) << "career 0 drops the job level";
    EXPECT_NE(shown.find("HauntAddress\t3\n"), std::string::npos) << "a ghost haunts its family's house";
    std::ostringstream out;
    EXPECT_THROW(RunSet(args({"UserData", "User00002", "FamilyCash=123456789"}), out), std::invalid_argument)
        << "more than the cash box's eight digits";
}

TEST_F(SetCommandTest, ADryRunShowsWhatWouldBeWrittenAndWritesNothing) {
    const auto before = neighbourhood();
    const auto character = ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff");
    const std::string printed = run(RunSet, {"UserData", "User00001", "Neat=300", "LastName=Marlowe"}, false, /*dryRun=*/true);
    EXPECT_EQ(printed, "Neat: 900 -> 300\nLastName: \"Marlow\" -> \"Marlowe\"\n"
                       "User00006: LastName: \"Marlow\" -> \"Marlowe\"\n"
                       "User00002: LastName: \"Marlow\" -> \"Marlowe\"\n"
                       "User00004: LastName: \"Marlow\" -> \"Marlowe\"\n"
                       "User00007: LastName: \"Marlow\" -> \"Marlowe\"\n"
                       "User00003: LastName: \"Marlow\" -> \"Marlowe\"\n"
                       "would change 2 bytes of neighborhood.iff\n"
                       "would rewrite the households and family names of neighborhood.iff\n"
                       "would rebuild Characters/User00001.iff\n");
    EXPECT_EQ(neighbourhood(), before);
    EXPECT_EQ(ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff"), character);
}

TEST_F(SetCommandTest, UnknownFieldsValuesOutOfRangeAndSkinsNotInstalledAreRefusedBeforeAnythingIsWritten) {
    const auto before = neighbourhood();
    const auto character = ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff");
    struct Case {
        std::vector<std::string> assignments;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"Neat=1001"}, "Neat 1001 is out of range (0 to 1000)"},
        {{"Neat=-1"}, "Neat -1 is out of range (0 to 1000)"},
        {{"Neat=lots"}, "Neat needs a whole number, not \"lots\""},
        {{"Neat=300", "Wings=2"}, "unknown or read-only field \"Wings\""},
        {{"NeighborID=9"}, "unknown or read-only field \"NeighborID\""},
        {{"Career=65535"}, "Career 65535 is out of range (a career the game offers at this age and level)"},
        {{"SkinColor=4"}, "SkinColor \"4\" is none of light, dark, medium, 1, 2 or 3"},
        {{"AgeGroup=teen"}, "AgeGroup \"teen\" is none of child or adult"},
        {{"BodySize=fit", "Gender=it"}, "Gender \"it\" is none of male or female"},
        {{"BodyMesh=..\\x"}, "BodyMesh must be a skin's base name, without folders, ',' or '='"},
        {{"JobLevel"}, "\"JobLevel\" is not Field=Value"},
        {{"Neat=300", "BodyTexture=doesnotexist"},
         "BodyTexture \"doesnotexist\" is not installed: the game has no doesnotexist.bmp in its skin folders or "
         "archives, and a save keeps only installed skins"},
        {{"FormalMesh=b001fafatlgt_casual"},  // a texture's name
         "FormalMesh \"b001fafatlgt_casual\" is not installed: the game has no b001fafatlgt_casual.cmx in its skin "
         "folders or archives, and a save keeps only installed skins"},
        {{"HeadTexture="}, "HeadTexture needs the name of an installed skin, since a save keeps no other"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"UserData", "User00001"};
        arguments.insert(arguments.end(), c.assignments.begin(), c.assignments.end());
        std::ostringstream out;
        try {
            RunSet(args(arguments), out);
            ADD_FAILURE() << c.message << ": accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(neighbourhood(), before);
    EXPECT_EQ(ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff"), character);
}

// The save writes only installed skins: a dry run names each skin a save
// would drop, and the save then drops exactly those.
TEST_F(SetCommandTest, ADryRunListsTheSkinsTheSaveWouldClearAndTheSaveClearsThem) {
    std::filesystem::remove(game / "GameData" / "Skins" / "b001fafatlgt_casual.bmp");  // Elena's dress
    const std::string printed = run(RunSet, {"UserData", "User00002", "Neat=800"}, false, /*dryRun=*/true);
    EXPECT_EQ(printed, "Neat: 900 -> 800\n"
                       "would change 1 byte of neighborhood.iff\n"
                       "would clear BodyMesh \"b001fafat_01\" and BodyTexture \"b001fafatlgt_casual\": "
                       "BodyTexture is not installed\n"
                       "would rebuild Characters/User00002.iff\n");
    const Result saved = runLine({"--game", "GAME", "set", "UserData", "User00002", "Neat=800"});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(saved.err, "User00002: cleared BodyMesh \"b001fafat_01\" and BodyTexture \"b001fafatlgt_casual\": "
                         "BodyTexture is not installed\n") << "the real save says what it cleared too";
    const std::string shown = run(RunShow, {"UserData", "User00002"});
    EXPECT_NE(shown.find("BodyMesh\t\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("BodyTexture\t\n"), std::string::npos);
    EXPECT_NE(shown.find("HeadTexture\tc001malgt_bob\n"), std::string::npos) << "an installed skin stays";
}

// The game's own person files hold no names chunk, and a file may lack its
// body strings: a change is stored (a names chunk added) or refused with
// exit status 2, never reported as made while nothing is written.
TEST_F(SetCommandTest, AFileWithoutNamesOrBodyStringsStoresTheChangeOrRefusesIt) {
    struct Case {
        const char* fault;
        const char* file;
        std::string_view chunkType;
        std::vector<std::string> assignments;
        std::string refusal;  // empty: stored
    };
    const std::vector<Case> cases{
        {"names_chunk_missing", "User00001", "CTSS", {"FirstName=Max", "Bio=Hums."}, ""},
        {"body_strings_missing", "User00002", "STR#", {"BodyTexture=b001fafatlgt_casual"},
         "corvane3d-cli: BodyTexture changes the skins, which are kept in the body strings (STR# 200) of the "
         "character's file, and User00002.iff has none, so it cannot be changed\n"},
        {"body_strings_missing_makeover", "User00002", "STR#", {"SkinColor=dark"},
         "corvane3d-cli: SkinColor changes the skins, which are kept in the body strings"},
    };
    for (const Case& c : cases) {
        const auto file = game / "UserData" / "Characters" / (std::string(c.file) + ".iff");
        const auto original = ReadFileBytes(file);
        const auto without = RewriteIff(original, ReadChunkList(original), [&](const Section& s) {
            const bool dropped = s.ChunkType == c.chunkType && (s.ChunkType != "STR#" || s.ChunkID == 200);
            return dropped ? ChunkDecision::drop() : ChunkDecision::copy();
        }, true);
        ReplaceFileAtomically(file, std::string_view(reinterpret_cast<const char*>(without.data()), without.size()));
        const auto neighbourhoodBefore = neighbourhood();
        std::vector<std::string> line{"--game", "GAME", "set", "UserData", c.file};
        line.insert(line.end(), c.assignments.begin(), c.assignments.end());
        const Result result = runLine(line);
        if (c.refusal.empty()) {
            EXPECT_EQ(result.status, 0) << c.fault << ": " << result.err;
            const std::string shown = run(RunShow, {"UserData", c.file});
            EXPECT_NE(shown.find("FirstName\tMax\n"), std::string::npos) << c.fault << ": written";
            EXPECT_NE(shown.find("Bio\tHums.\n"), std::string::npos) << c.fault << ": written";
        } else {
            EXPECT_EQ(result.status, 2) << c.fault;
            EXPECT_TRUE(result.err.starts_with(c.refusal)) << c.fault << ": " << result.err;
            EXPECT_EQ(result.out, "") << c.fault << ": no change reported";
            EXPECT_EQ(ReadFileBytes(file), without) << c.fault;
            EXPECT_EQ(neighbourhood(), neighbourhoodBefore) << c.fault;
        }
    }
}

// A skin set from the command line is the skin page's edit: both print the
// same changes for the same pick, side by side.
TEST_F(SetCommandTest, ASkinSetDressesTheSlotAsItsPageDoes) {
    struct Case {
        const char* fault;
        const char* file;
        std::string field;
        std::string value;
        SkinSlot slot;
        SkinPick pick;  // the page's pick for the same choice
        std::string expected;  // a line that must be among the changes ("" for none)
    };
    const std::vector<Case> cases{
        {"new_head_keeps_old_pictures", "User00001", "HeadTexture", "c001madrk_bob", SkinSlot::Head,
         {"c001ma_bob", "c001madrk_bob", false}, "ResetThumbnail: false -> true"},
        {"letter_case_counts_as_a_change", "User00001", "HeadTexture", "C001MALGT_BOB", SkinSlot::Head,
         {"c001ma_bob", "C001MALGT_BOB", false}, ""},
        // Before the packs that brought sleepwear, a loose everyday texture brings pajamas named after it.
        {"loose_texture_without_its_pajamas", "User00002", "BodyTexture", "b001fafatlgt_summer", SkinSlot::Body,
         {"b001fafat_01", "b001fafatlgt_summer", true}, "PajamaTexture: \"Pajamaflgt_01\" -> \"Pajamaflgt_summer\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        if (c.slot == SkinSlot::Body) {
            for (int pack = 3; pack <= 7; ++pack) {
                const auto packFolder = game / ("ExpansionPack" + std::to_string(pack));
                if (std::filesystem::exists(packFolder)) std::filesystem::rename(packFolder, packFolder.string() + ".away");
            }
        }
        std::ostringstream byCommand;
        CliArguments a = args({"UserData", c.file, c.field + "=" + c.value}, false, /*dryRun=*/true);
        ASSERT_EQ(RunSet(a, byCommand), 0);
        std::string changes = byCommand.str();
        changes = changes.substr(0, changes.find("would "));

        Document document(AppSettings().ExpansionLevel);
        Sim& sim = OpenCharacterToEdit(a, "UserData", document);
        EditedRecords records(document.characters(), sim);
        DressSlot(document, sim, c.slot, c.pick);
        std::ostringstream byPage;
        if (records.changed().empty()) byPage << "nothing to change\n";
        records.print(byPage);
        EXPECT_EQ(changes, byPage.str());
        if (c.expected.empty()) {
            EXPECT_EQ(changes, "nothing to change\n");
        } else {
            EXPECT_NE(("\n" + changes).find("\n" + c.expected), std::string::npos) << changes;
        }
    }
}

// The save's question is answered by its id: a language table that lacks a
// line or cannot be read (an id twice) changes no answer, and a table that
// cannot be read is named on stderr with its line and the cause.
TEST_F(SetCommandTest, ADamagedLanguageTableChangesNoAnswerAndIsNamed) {
    struct Case {
        const char* fault;
        std::function<std::string(const std::string& line)> edit;  // the line as it is written
        std::string said;  // on stderr
    };
    const std::vector<Case> cases{
        {"line_missing", [](const std::string& line) { return line.starts_with("8075\t") ? "" : line + "\n"; }, ""},
        {"line_duplicated",
         [](const std::string& line) { return line.starts_with("5022\t") ? line + "\n" + line + "\n" : line + "\n"; },
         "corvane3d-cli: the language table cannot be read: "},
    };
    std::ifstream usen(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Dusen.lng");
    std::vector<std::string> lines;
    for (std::string line; std::getline(usen, line);) lines.push_back(line);
    int neat = 400;
    for (const Case& c : cases) {
        const auto tables = folder.path() / c.fault;
        std::filesystem::create_directories(tables);
        std::string table;
        for (const std::string& line : lines) table += c.edit(line);
        ReplaceFileAtomically(tables / "CV3Dusen.lng", table);
        std::ostringstream out;
        std::ostringstream err;
        const std::string value = std::to_string(++neat);
        const int status =
            RunCommandLine({"--game", game.string(), "set", "UserData", "User00001", "Neat=" + value}, out, err, tables);
        AppSettings() = Settings();
        EXPECT_EQ(status, 0) << c.fault << ": " << err.str();
        if (c.said.empty()) {
            EXPECT_EQ(err.str(), "") << c.fault;
        } else {
            EXPECT_TRUE(err.str().starts_with(c.said + (tables / "CV3Dusen.lng").string() + " line ")) << err.str();
            EXPECT_NE(err.str().find(": id 5022 appears twice; messages are shown without their texts\n"),
                      std::string::npos) << err.str();
        }
        EXPECT_NE(run(RunShow, {"UserData", "User00001"}).find("Neat\t" + value + "\n"), std::string::npos)
            << c.fault << ": saved";
    }
}

// The makeover's fields dress the character anew as the page does; a dry
// run prints every skin chosen, and the same seed chooses the same again.
TEST_F(SetCommandTest, AMakeoverDryRunPrintsTheSkinsItWouldChooseAndTheSeedRepeatsThem) {
    const auto before = neighbourhood();
    const auto character = ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff");
    auto makeover = [&](unsigned seed) {
        CliArguments a = args({"UserData", "User00001", "Gender=female", "SkinColor=dark", "BodySize=fat"}, false, true);
        a.seed = seed;
        std::ostringstream out;
        EXPECT_EQ(RunSet(a, out), 0);
        return out.str();
    };
    const std::string printed = makeover(3);
    for (const char* line : {"Gender: 0 -> 1\n", "SkinColor: 1 -> 2\n", "SkinTone: \"lgt\" -> \"drk\"\n",
                             "BodySize: \"fit\" -> \"fat\"\n", "BodyMesh: \"b001mafit_01\" -> \"b001fafat_01\"\n",
                             "OpenLHandMesh: \"hmlo\" -> \"hflo\"\n", "OpenLHandTexture: \"huaolgt\" -> \"huaodrk\"\n",
                             "ResetThumbnail: false -> true\n", "would rebuild Characters/User00001.iff\n"}) {
        EXPECT_NE(printed.find(line), std::string::npos) << line << " in\n" << printed;
    }
    EXPECT_NE(printed.find("HeadTexture: \"c001malgt_bob\" -> \"c001fadrk"), std::string::npos) << printed;
    EXPECT_NE(printed.find("BodyTexture: \"b001mafitlgt_casual\" -> \"b001fafatdrk"), std::string::npos) << printed;
    EXPECT_EQ(makeover(3), printed);
    EXPECT_EQ(neighbourhood(), before);
    EXPECT_EQ(ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff"), character);
}

TEST_F(SetCommandTest, EachMakeoverFieldChangesWhatThePageChanges) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> printed;  // lines among the changes
        std::vector<std::string> absent;   // beginnings of lines that must not be there
    };
    const std::vector<Case> cases{
        {{"User00003", "SkinAge=adult"}, {"SkinAge: 9 -> 27", "OpenLHandMesh: \"hmlo\" -> \"hflo\""}, {"Age: "}},
        {{"User00003", "SkinAge=adult", "BodySize=fit"}, {"BodySize: \"chd\" -> \"fit\""}, {}},
        {{"User00001", "BodySize=tnr"}, {"BodySize: \"fit\" -> \"tnr\""}, {"HeadMesh: ", "ResetThumbnail: "}},
        {{"User00004", "AgeGroup=adult"}, {"Age: 9 -> 27", "SkinAge: 9 -> 27", "AgeGroup: \"child\" -> \"adult\""}, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"UserData"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        SCOPED_TRACE(arguments.back());
        CliArguments a = args(arguments, false, true);
        a.seed = 1;
        std::ostringstream out;
        ASSERT_EQ(RunSet(a, out), 0);
        const std::string printed = "\n" + out.str();
        for (const std::string& line : c.printed) EXPECT_NE(printed.find("\n" + line + "\n"), std::string::npos) << line << printed;
        for (const std::string& line : c.absent) EXPECT_EQ(printed.find("\n" + line), std::string::npos) << line << printed;
    }
    std::ostringstream out;
    EXPECT_THROW(RunSet(args({"UserData", "User00003", "BodySize=fit"}), out), std::invalid_argument)
        << "a child in a child's skins has one size";
}

// No teen body is installed: the makeover leaves the body bare and says the
// character would be invisible, in a dry run and in the real one.
TEST_F(SetCommandTest, AMakeoverThatLeavesTheBodyBareSaysSo) {
    const std::string said = "User00001: no installed body fits the character, so its body is empty and the "
                             "character would be invisible in the game\n";
    for (const bool dryRun : {true, false}) {
        std::vector<std::string> line{"--game", "GAME", "set", "UserData", "User00001", "BodySize=tnr"};
        if (dryRun) line.push_back("--dry-run");
        const Result result = runLine(line);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("BodyMesh: \"b001mafit_01\" -> \"\"\n"), std::string::npos) << result.out;
        EXPECT_TRUE(result.err.starts_with(said)) << result.err;
    }
}

TEST_F(SetCommandTest, APetsGenderIsADogsOrCatsAndKeepsItsCoat) {
    EXPECT_EQ(run(RunSet, {"UserData", "User00006", "Gender=female"}), "Gender: 2 -> 3\n");
    const std::string shown = run(RunShow, {"UserData", "User00006"});
    EXPECT_NE(shown.find("Gender\t3\n"), std::string::npos);
    EXPECT_NE(shown.find("BodyTexture\tb001dog_brown\n"), std::string::npos);
    std::ostringstream out;
    EXPECT_THROW(RunSet(args({"UserData", "User00006", "SkinColor=dark"}), out), std::invalid_argument)
        << "a coat has no skin colour";
}

// A set whose values are already there leaves every file and the backups alone.
TEST_F(SetCommandTest, ASetThatChangesNothingWritesNothing) {
    const auto characterFile = game / "UserData" / "Characters" / "User00001.iff";
    const auto backups = folder.path() / "app" / "AutoBackup";
    const std::vector<std::vector<std::string>> cases{
        {"Neat=900"},
        {"FirstName= Victor ", "LastName=Marlow\t"},
        {"Neat=300", "Neat=900"},
    };
    for (const auto& assignments : cases) {
        SCOPED_TRACE(assignments.front());
        std::vector<std::string> arguments{"UserData", "User00001"};
        arguments.insert(arguments.end(), assignments.begin(), assignments.end());
        const auto neighbourhoodBefore = neighbourhood();
        const auto characterBefore = ReadFileBytes(characterFile);
        const auto writtenAt = std::filesystem::last_write_time(characterFile);
        for (const bool dryRun : {true, false}) {
            EXPECT_EQ(run(RunSet, arguments, false, dryRun), "nothing to change\n");
        }
        EXPECT_EQ(neighbourhood(), neighbourhoodBefore);
        EXPECT_EQ(ReadFileBytes(characterFile), characterBefore);
        EXPECT_EQ(std::filesystem::last_write_time(characterFile), writtenAt);
        EXPECT_FALSE(std::filesystem::exists(backups));
    }
    run(RunSet, {"UserData", "User00001", "Neat=800"});
    EXPECT_TRUE(std::filesystem::exists(backups)) << "a save that writes keeps the originals there";
}

// Names as the makeover page takes them: trimmed, and a last name is the whole family's.
TEST_F(SetCommandTest, NamesAreTrimmedAndALastNameRenamesTheWholeFamily) {
    run(RunSet, {"UserData", "User00003", "FirstName=  Tessa ", "LastName= Marlowe\t"});
    EXPECT_EQ(run(RunCharacters, {"UserData"}), "Marlowe, Biscuit : User00006\n"
                                                "Marlowe, Elena : User00002\n"
                                                "Marlowe, Jonah : User00004\n"
                                                "Marlowe, Pepper : User00007\n"
                                                "Marlowe, Tessa : User00003\n"
                                                "Marlowe, Victor : User00001\n"
                                                "Vale, Iris : User00005\n");
}

// Values that could be stored nowhere, and characters whose files were read
// as damaged, are refused with exit status 2 (not a usage error) and no file changes.
TEST_F(SetCommandTest, ValuesStoredNowhereAndDamagedCharactersAreRefusedAndNothingIsWritten) {
    // Iris's name in the neighbour records no longer matches her file.
    auto bytes = neighbourhood();
    const std::string name("User00005\0", 10);
    const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(at, bytes.end());
    *(at + 4) = 'X';
    // Elena's CTSS chunk claims far more bytes than her file holds.
    const auto elenaFile = game / "UserData" / "Characters" / "User00002.iff";
    auto elena = ReadFileBytes(elenaFile);
    const std::string ctss = "CTSS";
    const auto chunk = std::search(elena.begin(), elena.end(), ctss.begin(), ctss.end());
    ASSERT_NE(chunk, elena.end());
    for (int i = 0; i < 4; ++i) *(chunk + 4 + i) = i == 0 ? 0x7f : 0xff;
    auto writeBytes = [](const std::filesystem::path& file, const std::vector<std::uint8_t>& content) {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                    static_cast<std::streamsize>(content.size()));
    };
    writeBytes(game / "UserData" / "neighborhood.iff", bytes);
    writeBytes(elenaFile, elena);

    struct Case {
        std::vector<std::string> arguments;
        std::string message;  // what it starts with
    };
    const std::vector<Case> cases{
        {{"UserData", "User00005", "Neat=800"},
         "Neat is kept in the character's entry in neighborhood.iff, and User00005 has none there"},
        {{"UserData", "User00005", "Career=0"}, "Career is kept in the character's entry"},
        {{"UserData", "User00005", "FameScore=10"}, "FameScore is kept in the character's entry"},
        {{"UserData", "User00003", "Exercise=500"}, "Exercise is not kept for User00003"},  // an adult interest of a child
        {{"UserData", "User00001", "HouseNumber=7", "FamilyCash=5"}, "FamilyCash is kept in the record of a family with a house"},
        {{"UserData", "User00002", "Neat=800"}, "Saving failed : User00002.iff: "},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        try {
            RunSet(args(c.arguments), out);
            ADD_FAILURE() << c.message << ": accepted";
        } catch (const std::invalid_argument& error) {
            ADD_FAILURE() << "a usage error (exit 1): " << error.what();
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(c.message)) << error.what();
        }
    }
    EXPECT_EQ(neighbourhood(), bytes);
    EXPECT_EQ(ReadFileBytes(elenaFile), elena);

    // What lives in the family record is still stored for her.
    run(RunSet, {"UserData", "User00005", "FamilyCash=4321"});
    EXPECT_NE(run(RunShow, {"UserData", "User00005"}).find("FamilyCash\t4321\n"), std::string::npos);
}

// While it lives, runs `action` once the tool has answered the question
// `text` (never printed): the moment the tool asks its question.
class WhenAsked {
public:
    WhenAsked(std::string text, std::function<void()> action) {
        ToolChatter().answered = [this, text = std::move(text), action = std::move(action)](const std::string& question,
                                                                                          ModalResult) {
            if (!ran_ && question == text) {
                ran_ = true;
                action();
            }
        };
    }
    ~WhenAsked() { ToolChatter().answered = nullptr; }
    WhenAsked(const WhenAsked&) = delete;
    WhenAsked& operator=(const WhenAsked&) = delete;
    bool ran() const { return ran_; }

private:
    bool ran_ = false;
};

// Another writer saves between the tool's read and its write. The tool
// carries its own change onto the files as they are now; a value the other
// writer changed too is never overwritten: nothing is written and the tool
// fails with exit status 2 (not a usage error), naming the file and the field
// on one line. A file the other writer left damaged is not rewritten.
TEST_F(SetCommandTest, AnotherWriterBetweenTheReadAndTheWriteKeepsItsValuesAndAConflictFails) {
    namespace fs = std::filesystem;
    const fs::path values = game / "UserData" / "neighborhood.iff";
    const fs::path elenaFile = game / "UserData" / "Characters" / "User00002.iff";
    std::map<fs::path, std::vector<std::uint8_t>> pristine;
    std::map<fs::path, fs::file_time_type> times;
    for (const fs::path& file : {values, elenaFile}) {
        pristine[file] = ReadFileBytes(file);
        times[file] = fs::last_write_time(file);
    }
    auto putBack = [&](const std::map<fs::path, std::vector<std::uint8_t>>& files, bool asRead) {
        for (const auto& [file, bytes] : files) {
            std::ofstream(file, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            // Written by the other writer: surely not the time the tool read.
            fs::last_write_time(file, asRead ? times.at(file) : times.at(file) + std::chrono::hours(1));
        }
    };
    // The files as another `set` leaves them.
    auto writtenBy = [&](std::vector<std::string> other) {
        run(RunSet, std::move(other));
        std::map<fs::path, std::vector<std::uint8_t>> files;
        for (const auto& [file, bytes] : pristine) files[file] = ReadFileBytes(file);
        putBack(pristine, true);
        return files;
    };
    struct Case {
        const char* fault;
        std::vector<std::string> other;  // what the other writer set
        std::vector<std::string> set;    // what this run sets
        std::string conflict;            // the message; empty: saved
        std::vector<std::string> shown;  // lines `show` prints afterwards
    };
    const std::vector<Case> cases{
        {"other_writers_value_written_back", {"UserData", "User00002", "Neat=500"}, {"UserData", "User00002", "Nice=321"}, "",
         {"Neat\t500\n", "Nice\t321\n"}},
        {"other_writers_household_cash_written_back", {"UserData", "User00005", "FamilyCash=77777"},
         {"UserData", "User00005", "FirstName=Irene"}, "", {"FamilyCash\t77777\n", "FirstName\tIrene\n"}},
        {"other_writers_name_written_back", {"UserData", "User00002", "FirstName=Eli"}, {"UserData", "User00002", "Nice=321"},
         "", {"FirstName\tEli\n", "Nice\t321\n"}},
        {"same_value_overwritten", {"UserData", "User00002", "Neat=500"}, {"UserData", "User00002", "Neat=321"},
         values.string() + ": Neat of User00002 was changed by another program since it was read (now 500, set to 321); "
                           "nothing was saved",
         {"Neat\t500\n"}},
        {"same_name_overwritten", {"UserData", "User00002", "FirstName=Eli"}, {"UserData", "User00002", "FirstName=Ela"},
         elenaFile.string() + ": FirstName of User00002 was changed by another program since it was read (now \"Eli\", "
                              "set to \"Ela\"); nothing was saved",
         {"FirstName\tEli\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto other = writtenBy(c.other);
        WhenAsked theOtherWriterSaves(LangStr(8075), [&] { putBack(other, false); });
        std::ostringstream out;
        if (c.conflict.empty()) {
            EXPECT_EQ(RunSet(args(c.set), out), 0);
        } else {
            try {
                RunSet(args(c.set), out);
                ADD_FAILURE() << "saved over the other writer's value";
            } catch (const GameDataError& error) {
                EXPECT_EQ(error.what(), c.conflict);
            }
            for (const auto& [file, bytes] : other) EXPECT_EQ(ReadFileBytes(file), bytes) << "left as the other writer wrote it";
        }
        ASSERT_TRUE(theOtherWriterSaves.ran());
        const std::string shown = run(RunShow, {"UserData", c.set[1]});
        for (const std::string& line : c.shown) EXPECT_NE(shown.find(line), std::string::npos) << line;
        putBack(pristine, true);
    }

    // Left damaged by the other writer: its character is not saved.
    WhenAsked theGameWrites(LangStr(8075), [&] { std::ofstream(elenaFile, std::ios::binary | std::ios::app) << "more"; });
    std::ostringstream out;
    EXPECT_THROW(RunSet(args({"UserData", "User00002", "Neat=321"}), out), GameDataError);
    ASSERT_TRUE(theGameWrites.ran());
    auto damaged = pristine.at(elenaFile);
    damaged.insert(damaged.end(), {'m', 'o', 'r', 'e'});
    EXPECT_EQ(ReadFileBytes(elenaFile), damaged);
    EXPECT_EQ(neighbourhood(), pristine.at(values)) << "Neat not written";
}

TEST(FieldAssignment, MarksTheRecordAsTheEditPagesDo) {
    auto made = std::make_unique<Sim>();
    made->NeighborEntryPos = 600;  // its neighbour record was found
    made->PersonDataValues = 256;  // of a game with fame
    made->LastName = "Marlow";
    made->HouseNumber = 3;
    made->FamilyNumber = 1;
    auto vale = std::make_unique<Sim>();
    vale->LastName = "Vale";
    vale->HouseNumber = 7;
    vale->FamilyNumber = 2;
    std::vector<std::unique_ptr<Sim>> characters;
    characters.push_back(std::move(made));
    characters.push_back(std::move(vale));
    Document document(7);
    document.open(std::move(characters), {std::nullopt, std::nullopt}, nullptr);
    document.select(0);
    Sim& sim = *document.current();
    // No skin is set here, so the installation is never asked about.
    const InstalledSkinsLookup noSkins = []() -> const InstalledSkins& { throw std::logic_error("no game"); };
    auto assign = [&](std::string_view name, const std::string& value) { AssignField(document, sim, name, value, noSkins); };
    assign("Neat", "500");
    EXPECT_TRUE(sim.Modified);
    EXPECT_FALSE(sim.LastNameChanged);
    assign("LastName", "Marlowe");
    EXPECT_TRUE(sim.LastNameChanged);
    assign("HouseNumber", "7");
    EXPECT_TRUE(sim.FamilyChanged);
    EXPECT_EQ(sim.LastName, "Vale") << "a house number moves the character into the family living there";
    EXPECT_THROW(assign("HouseNumber", "2"), FieldAssignmentError) << "no family lives in house 2";
    assign("FameStarPower", "5");
    EXPECT_EQ(sim.FameStarHighWatermark, 5) << "the high watermark follows the power up, as on the page";
    sim.Age = 9;
    assign("Career", "65535");
    EXPECT_THROW(assign("Career", "3"), FieldAssignmentError) << "children only go to school";
}

}  // namespace
}  // namespace corvane::cli
