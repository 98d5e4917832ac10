// The whole command line, as a script runs it: options, exit statuses and
// what is said on stdout and stderr, on the demo installation.
#include "cli/CommandLine.h"

#include "cli/CliNeighbourhood.h"
#include "support/RegistryTestFiles.h"
#include "support/TinyJson.h"
#include "unit/cli/DemoGameTest.h"

#include <fstream>
#include <sstream>

namespace corvane::cli {
namespace {

class CommandLineTest : public DemoGameTest {
protected:
    test::JsonValue json(std::vector<std::string> words) const {
        const Result result = runLine(std::move(words));
        EXPECT_EQ(result.status, 0) << result.err;
        return test::ParseJson(result.out);
    }
};

TEST_F(CommandLineTest, ExitStatusAndOutputOfEachKindOfCommandLine) {
    // Neighbourhood 03 holds a file too short to be a character: a message that is no question.
    { std::ofstream(game / "UserData3" / "Characters" / "User00009.iff", std::ios::binary) << "short"; }
    const std::string usageHint = " (see corvane3d-cli --help)\n";
    const struct {
        std::vector<std::string> words;
        int status;
        const char* out;  // a part of stdout
        const char* err;  // a part of stderr; "" when stderr must stay empty
    } cases[] = {
        {{"--help"}, 0, "  --progress    progress lines on stderr", ""},
        {{"--help"}, 0, "  pictures NB FILE --out FOLDER\n", ""},
        {{"--version"}, 0, "corvane3d-cli ", ""},
        {{}, 1, "", "Usage: corvane3d-cli [--game DIR]"},
        {{"--game", "GAME"}, 1, "", "Usage: corvane3d-cli [--game DIR]"},
        {{"--game", "GAME", "neighbourhoods", "--xml"}, 1, "", "corvane3d-cli: unknown option --xml (see"},
        {{"--game", "GAME", "-x", "neighbourhoods"}, 1, "", "unknown option -x (see"},
        {{"--game", "GAME", "characters", "UserData", "UserData2"}, 1, "",
         "corvane3d-cli: surplus argument UserData2: characters takes NB (see"},
        {{"--game", "GAME", "neighbourhoods", "01"}, 1, "", "surplus argument 01: neighbourhoods takes no arguments"},
        {{"--game", "GAME", "show", "01"}, 1, "", "show needs NB FILE (see"},
        {{"--game", "GAME", "--lang", "klingon", "neighbourhoods"}, 1, "", "unknown language code klingon for --lang"},
        {{"--game", "GAME", "show", "01", "User00001", "--dry-run"}, 1, "", "show does not take --dry-run"},
        {{"--game", "GAME", "catalogue", "--json"}, 1, "", "catalogue does not take --json"},
        {{"--game", "GAME", "frobnicate"}, 1, "", "unknown command frobnicate (see"},
        {{"characters", "--game", "GAME", "01"}, 1, "", "--game goes before the command"},
        {{"--game", "GAME", "render", "01", "User00001", "--out", "victor.gif"}, 1, "",
         "render writes .png, .jpg or .jpeg files, not \"victor.gif\""},
        {{"--game", "GAME", "pictures", "01", "User00001", "--out", "pictures", "--size", "9x9"}, 1, "",
         "pictures does not take --size"},
        {{"--game", "GAME", "pictures", "01", "User00001"}, 1, "", "pictures needs --out FOLDER (see"},
        {{"--game", "GAME", "neighbourhoods"}, 0, "01\tUserData\n02\tUserData2\n03\tUserData3\n", ""},
        {{"--game", "GAME/SIMS.EXE", "neighbourhoods"}, 0, "01\tUserData\n", ""},
        {{"--game", "GAME/Nowhere", "neighbourhoods"}, 2, "", "no game found in "},
        {{"--game", "GAME", "characters", "01"}, 0, "Marlow, Victor : User00001\n", ""},
        {{"--game", "GAME", "characters", "userdata"}, 0, "Vale, Iris : User00005\n", ""},
        {{"--game", "GAME", "show", "1", "User00003"}, 0, "FirstName\tTess\n", ""},
        {{"--game", "GAME", "show", "01", "User00001"}, 0, "\nBodyString23\t", ""},
        {{"--game", "GAME", "characters", "07"}, 2, "", "no neighbourhood numbered 07 in "},
        {{"--game", "GAME", "show", "01", "User09999"}, 2, "", "no character User09999 in 01\n"},
        {{"--game", "GAME", "--lang", "fren", "characters", "01"}, 0, "Marlow, \xC3\x89tienne : User00001\n", ""},
        {{"--game", "GAME", "--lang", "french", "show", "01", "User00001"}, 0,
         "Bio\t\xC3\x89tienne habite le quartier de d\xC3\xA9monstration.\n", ""},
        {{"--game", "GAME", "--lang", "germ", "characters", "01"}, 0, "Marlow, Victor : User00001\n", ""},
        {{"--game", "GAME", "characters", "03"}, 0, "", "User00009.iff: 5 bytes, too short to be a character file"},
        {{"--game", "GAME", "--quiet", "characters", "03"}, 0, "", ""},
        {{"--game", "GAME", "--progress", "catalogue"}, 0, "ArchiveMeshEntries\t", " ..."},
        {{"--game", "GAME", "--quiet", "--progress", "catalogue"}, 0, "ArchiveMeshEntries\t", ""},
        {{"--game", "GAME", "skins", "01", "User00001", "body", "--seed", "7"}, 0, "B001MAFit_01\t*\n", ""},
        {{"--game", "GAME", "skins", "01", "User00001", "elbow"}, 1, "", "unknown skin slot elbow (body, head, "},
        {{"--game", "GAME", "skins", "01", "User00001", "body", "--seed", "x"}, 1, "",
         "--seed wants a whole number from 0 to 4294967295, not \"x\""},
        {{"--game", "GAME", "show", "01", "User00001", "--mesh", "b001mafit_01"}, 1, "", "show does not take --mesh"},
        {{"--game", "GAME", "show", "01", "User00001", "--type", "body"}, 1, "", "show does not take --type"},
        {{"--game", "GAME", "export-skin", "B001MAFit_01", "x", "--mesh", "b"}, 1, "", "export-skin does not take --mesh"},
        {{"--game", "GAME", "build-cmx", "out"}, 1, "", "build-cmx needs OUT MESH.skn... (see"},
        // The save question is answered Yes and never printed.
        {{"--game", "GAME", "set", "01", "User00002", "Neat=800"}, 0, "Neat: 900 -> 800\n", ""},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& word : c.words) line += word + " ";
        SCOPED_TRACE(line);
        const Result result = runLine(c.words);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
        if (*c.err == '\0') {
            EXPECT_EQ(result.err, "");
        } else {
            EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        }
        if (c.status == 1 && !c.words.empty() && c.words.back() != "GAME") {
            // Wrong usage is one line with the hint, never the whole usage.
            EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
            EXPECT_TRUE(result.err.ends_with(usageHint)) << result.err;
            EXPECT_EQ(result.out, "");
        }
    }

    // Without --lang, the names are in the game's language as the registry records it.
    test::makeWinePrefix(folder.path() / ".wine", test::replacedOnce(std::string(test::kPlainHive), "USEnglish", "French"));
    EXPECT_NE(runLine({"--game", "GAME", "characters", "01"}).out.find("Marlow, \xC3\x89tienne : User00001\n"),
              std::string::npos);
    EXPECT_NE(runLine({"--game", "GAME", "--lang", "usen", "characters", "01"}).out.find("Marlow, Victor : User00001\n"),
              std::string::npos);
}

// The JSON of the lists and of whole records, read back field by field: an
// adult, a pet, and a character whose name in French is her own.
TEST_F(CommandLineTest, JsonOfTheListsAndRecordsReadsBackFieldByField) {
    const test::JsonValue neighbourhoods = json({"--game", "GAME", "neighbourhoods", "--json"});
    ASSERT_EQ(neighbourhoods.size(), 3u);
    EXPECT_EQ(neighbourhoods[0]["Number"].text(), "01");
    EXPECT_EQ(neighbourhoods[0]["Folder"].text(), "UserData");
    EXPECT_EQ(neighbourhoods[0]["Characters"].number(), 7);
    EXPECT_EQ(neighbourhoods[2]["Folder"].text(), "UserData3");
    EXPECT_EQ(neighbourhoods[2]["Characters"].number(), 0);

    const test::JsonValue characters = json({"--game", "GAME", "--lang", "fren", "characters", "01", "--json"});
    ASSERT_EQ(characters.size(), 7u);
    const test::JsonValue* victor = nullptr;
    const test::JsonValue* biscuit = nullptr;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        EXPECT_EQ(characters[i].size(), 7u);
        if (characters[i]["FileName"].text() == "User00001") victor = &characters[i];
        if (characters[i]["FileName"].text() == "User00006") biscuit = &characters[i];
    }
    ASSERT_TRUE(victor && biscuit);
    EXPECT_EQ((*victor)["FirstName"].text(), "\xC3\x89tienne");
    EXPECT_EQ((*victor)["LastName"].text(), "Marlow");
    EXPECT_EQ((*victor)["AgeGroup"].text(), "adult");
    EXPECT_EQ((*victor)["Gender"].number(), 0);
    EXPECT_EQ((*victor)["FamilyNumber"].number(), 1);
    EXPECT_FALSE((*victor)["Modified"].flag());
    EXPECT_EQ((*biscuit)["FirstName"].text(), "Biscuit") << "no French name: the English one";
    EXPECT_EQ((*biscuit)["AgeGroup"].text(), "dog");
    EXPECT_EQ((*biscuit)["Gender"].number(), 2);

    const test::JsonValue french = json({"--game", "GAME", "--lang", "fren", "show", "01", "User00001", "--json"});
    EXPECT_EQ(french["FirstName"].text(), "\xC3\x89tienne");
    EXPECT_EQ(french["Bio"].text(), "\xC3\x89tienne habite le quartier de d\xC3\xA9monstration.");

    // Every field of the records as loaded, the carried body strings included.
    (void)args({});
    const CharacterList list = OpenCharacterList("UserData");
    for (const char* file : {"User00002", "User00006"}) {
        SCOPED_TRACE(file);
        const Sim& sim = FindCharacter(list, file, "UserData");
        const test::JsonValue record = json({"--game", "GAME", "show", "01", file, "--json"});
        EXPECT_EQ(record["FileName"].text(), file);
        EXPECT_EQ(record["FirstName"].text(), sim.FirstName);
        EXPECT_EQ(record["AgeGroup"].text(), sim.AgeGroup);
        EXPECT_EQ(record["Age"].number(), sim.Age);
        EXPECT_EQ(record["Gender"].number(), sim.Gender);
        EXPECT_EQ(record["Neat"].number(), sim.Neat);
        EXPECT_EQ(record["BodyTexture"].text(), sim.BodyTexture);
        EXPECT_EQ(record["GUID"].text(), std::string("0") + file[8] + "00005d");
        EXPECT_FALSE(record["Modified"].flag());
        for (std::size_t i = 0; i < 9; ++i) {
            EXPECT_EQ(record["BodyString" + std::to_string(3 + i)].text(), sim.BodyString3to11[i]) << i;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(record["BodyString" + std::to_string(23 + i)].text(), sim.BodyString23to26[i]) << i;
        }
        EXPECT_FALSE(record.has("BodyStringsHead"));
        EXPECT_EQ(record["Relationships"].size(), sim.Relationships.size());
        for (std::size_t i = 0; i < sim.Relationships.size(); ++i) {
            EXPECT_EQ(record["Relationships"][i]["TargetID"].number(), sim.Relationships[i].TargetID);
            EXPECT_EQ(record["Relationships"][i]["Daily"].number(), sim.Relationships[i].Daily);
        }
    }
}

}  // namespace
}  // namespace corvane::cli
