// The skin checks of the command-line tool: what they print and how they exit.
#include "TestPaths.h"
#include "cli/CommandLine.h"
#include "cli/JsonWriter.h"

#include "ValidationSupport.h"
#include "support/CommandLineRun.h"
#include "app/Settings.h"
#include "demo/CharacterFileWriter.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "platform/AtomicFile.h"
#include "skins/SkinCatalogue.h"
#include "skintools/DuplicateStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <sstream>

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

class ValidationCommandLineTest : public test::SkinToolsTest {
protected:
    ~ValidationCommandLineTest() override {
        AppSettings() = Settings();
        DiscardSkinCatalogue(GameSkinCatalogue());
    }

    using Result = test::CommandLineResult;
    Result run(std::vector<std::string> words) { return test::RunCommandLineOn(game.root(), std::move(words)); }

    // "UserData" with one adult of a family, whose skins are the game's
    // standard ones (none installed here).
    void writeNeighbourhood(int level) {
        NeighbourhoodFileSpec spec;
        spec.version = NeighbourhoodVersionFor(level);
        NeighbourSpec neighbour;
        neighbour.recordVersion = NeighbourRecordVersionFor(level);
        neighbour.personData = {{58, 27}};
        spec.neighbours.push_back(neighbour);
        spec.families.push_back(FamilySpec{1, "Goth", 1, 1000, 2000, {neighbour.guid}});
        game.writeFile("UserData/neighborhood.iff", MakeNeighbourhoodFile(spec));
        CharacterFileSpec character;
        character.guid = neighbour.guid;
        character.bodyStrings = StandardBodyStrings("adult", level);
        game.writeFile("UserData/Characters/User00001.iff", MakeCharacterFile(character));
    }

    test::EnvOverride home{"HOME", folder.path().string()};
    test::EnvOverride prefix{"WINEPREFIX", std::nullopt};
};

TEST_F(ValidationCommandLineTest, ExitStatusSaysWhetherTheCheckFoundSomething) {
    struct ExitCase {
        const char* what;
        std::function<void()> setUp;
        std::vector<std::string> words;
        int status;
    } cases[] = {
        {"validate_clean", {}, {"validate"}, kExitOk},
        {"validate_bad_texture",
         [this] { writeBmp24("GameData/Skins/odd.bmp", 100, 64); },
         {"validate"}, kExitProblems},
        {"validate_takes_no_report", {}, {"validate", "--report", "x.csv"}, kExitUsage},
        {"duplicates_clean",
         [this] { writeBmp8("GameData/Skins/one.bmp", 8, 8); },
         {"duplicates"}, kExitOk},
        {"duplicates_two_copies",
         [this] {
             writeBmp8("GameData/Skins/one.bmp", 8, 8);
             writeBmp8("ExpansionShared/Skins/ONE.bmp", 8, 8);
         },
         {"duplicates", "--json"}, kExitProblems},
        {"missing_skins_empty_neighbourhood", [this] { game.neighbourhood("UserData"); },
         {"missing-skins", "UserData"}, kExitOk},
        {"missing_skins_found", [this] { writeNeighbourhood(3); },
         {"missing-skins", "01"}, kExitProblems},
        {"missing_skins_no_such_neighbourhood", {}, {"missing-skins", "UserData9"}, kExitFailed},
        {"missing_skins_wants_a_neighbourhood", {}, {"missing-skins"}, kExitUsage},
        {"missing_skins_unknown_report_kind", [this] { writeNeighbourhood(3); },
         {"missing-skins", "UserData", "--report", "x.json"}, kExitUsage},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(game.root());
        game.installation(3);
        if (c.setUp) c.setUp();
        const Result result = run(c.words);
        EXPECT_EQ(result.status, c.status) << result.out << result.err;
    }
}

TEST_F(ValidationCommandLineTest, ValidatePrintsKindAndPathOfEachProblem) {
    game.installation(0);
    const auto file = writeBmp24("GameData/Skins/odd.bmp", 100, 64);
    const Result result = run({"validate"});
    EXPECT_EQ(result.out, "BmpDimensions\t" + file.string() + "\n");
    const std::string json = run({"validate", "--json"}).out;
    EXPECT_TRUE(json.starts_with("[\n  {\"Kind\": \"BmpDimensions\", \"FileName\": \"odd.bmp\", \"Folder\": ")) << json;
}

using SkinCheckCommandLineTest = ValidationCommandLineTest;

// Linked, looped, case-twin and special files, as the checks' users meet them.
TEST_F(SkinCheckCommandLineTest, HostileFoldersGiveEachFileOnceAndSaySkippedFiles) {
    const auto fifo = [this](const std::string& relative) {
        std::filesystem::create_directories((game.root() / relative).parent_path());
        ASSERT_EQ(::mkfifo((game.root() / relative).c_str(), 0600), 0);
    };
    const auto linkSkinsFolder = [this] {
        std::filesystem::create_directories(game.root() / "ExpansionShared");
        std::filesystem::create_directory_symlink("../GameData/Skins", game.root() / "ExpansionShared/Skins");
    };
    struct HostileCase {
        const char* fault;
        std::function<void()> setUp;
        std::vector<std::string> words;
        int status;
        std::optional<std::string> out;  // nullopt: not checked
        std::string err;                 // what stderr holds, among other lines
    } cases[] = {
        {"validate_through_a_linked_search_folder",
         [&] {
             writeBmp24("GameData/Skins/odd.bmp", 100, 64);
             linkSkinsFolder();
         },
         {"validate"}, kExitProblems, "BmpDimensions\tGAME/GameData/Skins/odd.bmp\n", ""},
        {"duplicates_through_a_linked_search_folder",
         [&] {
             writeBmp8("GameData/Skins/one.bmp", 8, 8);
             linkSkinsFolder();
         },
         {"duplicates"}, kExitOk, "", ""},
        {"duplicates_of_case_twins",
         [this] {
             writeBmp8("GameData/Skins/hmlo.bmp", 8, 8);
             writeBmp8("GameData/Skins/HMLO.bmp", 8, 8);
         },
         {"duplicates"}, kExitProblems,
         "Duplicate\tGameData/Skins/\thmlo.bmp\nDuplicate\tGameData/Skins/\tHMLO.bmp\n", ""},
        {"validate_beside_a_fifo", [&] { fifo("GameData/Skins/fifo.bmp"); }, {"validate"}, kExitOk, "",
         "skipped GAME/GameData/Skins/fifo.bmp: not a regular file (a FIFO)"},
        {"duplicates_beside_a_fifo", [&] { fifo("GameData/Skins/fifo.bmp"); }, {"duplicates"}, kExitOk, "",
         "skipped GAME/GameData/Skins/fifo.bmp: not a regular file (a FIFO)"},
        {"missing_skins_beside_a_fifo",
         [&] {
             writeNeighbourhood(3);
             fifo("GameData/Skins/fifo.cmx");
         },
         {"missing-skins", "UserData"}, kExitProblems, std::nullopt,
         "skipped GAME/GameData/Skins/fifo.cmx: not a regular file (a FIFO)"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.fault);
        std::filesystem::remove_all(game.root());
        game.installation(3);
        c.setUp();
        const Result result = run(c.words);
        const auto withGame = [&](std::string text) {
            for (std::size_t at = text.find("GAME"); at != std::string::npos; at = text.find("GAME", at)) {
                text.replace(at, 4, game.root().string());
            }
            return text;
        };
        EXPECT_EQ(result.status, c.status) << result.out << result.err;
        if (c.out) {
            EXPECT_EQ(result.out, withGame(*c.out));
        }
        EXPECT_NE(result.err.find(withGame(c.err)), std::string::npos) << result.err;
    }
}

TEST_F(SkinCheckCommandLineTest, DuplicatesPrintTheFindingsInTheSearchOrder) {
    game.installation(0);
    // Skins before the plain texture folders, Textures before Cmx: the findings
    // come Textures, Skins, Cmx, Textures, which grouping by folder would join.
    writeBmp8("GameData/Skins/one.bmp", 8, 8);
    writeBmp8("GameData/Skins/three.bmp", 8, 8);
    writeBmp8("GameData/Textures/one.bmp", 8, 8);
    writeBmp8("GameData/Textures/two.bmp", 8, 8);
    writeBmp8("GameData/Cmx/two.bmp", 8, 8);
    const Result result = run({"duplicates"});
    EXPECT_EQ(result.out,
              "Duplicate\tGameData/Textures/\tone.bmp\n"
              "Duplicate\tGameData/Skins/\tone.bmp\n"
              "Duplicate\tGameData/Cmx/\ttwo.bmp\n"
              "Duplicate\tGameData/Textures/\ttwo.bmp\n");
    const std::string json = run({"duplicates", "--json"}).out;
    const std::size_t first = json.find("\"FileName\": \"one.bmp\", \"Folder\": \"GameData/Textures/\"");
    const std::size_t second = json.find("\"FileName\": \"one.bmp\", \"Folder\": \"GameData/Skins/\"");
    const std::size_t third = json.find("\"FileName\": \"two.bmp\", \"Folder\": \"GameData/Cmx/\"");
    ASSERT_NE(third, std::string::npos) << json;
    EXPECT_LT(first, second) << json;
    EXPECT_LT(second, third) << json;
}

// Every byte of `text` belongs to a well-formed UTF-8 sequence (as strict as a JSON reader is).
bool IsUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                 : lead >= 0xF0 && lead <= 0xF4   ? 4
                                                                                   : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

TEST_F(SkinCheckCommandLineTest, NamesInTheGamesCodePageComeOutAsUtf8) {
    game.installation(0);
    const std::string name = "caf\xE9.bmp";  // "café" in code page 1252
    writeBmp8("GameData/Skins/" + name, 8, 8);
    writeBmp8("GameData/Textures/" + name, 8, 8);
    writeBmp24("GameData/Skins/odd\xE9.bmp", 100, 64);
    fs::create_directories(StoredSkinsFolder() / "GameData/Skins");
    ReplaceFileAtomically(StoredSkinsFolder() / "GameData/Skins/st\xE9.bmp", "stored");
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"duplicates"}, {"duplicates", "--json"}, {"validate"}, {"validate", "--json"}}) {
        const std::string out = run(words).out;
        EXPECT_TRUE(IsUtf8(out)) << words.back() << ": " << out;
        EXPECT_NE(out.find(words[0] == "duplicates" ? "caf\xC3\xA9.bmp" : "odd\xC3\xA9.bmp"), std::string::npos)
            << out;
    }
    EXPECT_NE(run({"duplicates", "--json"}).out.find("\"FileName\": \"st\xC3\xA9.bmp\""), std::string::npos);
}

TEST_F(SkinCheckCommandLineTest, JsonStringsEscapeWhatIsNotUtf8) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"caf\xC3\xA9", "\"caf\xC3\xA9\""},            // UTF-8 stays as it is
        {"caf\xE9", "\"caf\\u00e9\""},                // a byte of another code page
        {"\xC3", "\"\\u00c3\""},                      // a sequence cut short
        {"\xC0\xAF", "\"\\u00c0\\u00af\""},          // an overlong "/"
        {"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},  // a surrogate
        {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},  // four bytes
        {"a\"\\\n\x01", "\"a\\\"\\\\\\n\\u0001\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.in), c.out) << c.in;
}

TEST_F(ValidationCommandLineTest, MissingSkinsPrintsTheRowsAndSavesTheReport) {
    game.installation(0);
    writeNeighbourhood(0);
    const auto report = folder.path() / "missing.csv";
    const Result result = run({"missing-skins", "UserData", "--children-formals", "--report", report.string()});
    ASSERT_EQ(result.status, kExitProblems) << result.out << "/" << result.err;
    std::istringstream lines(result.out);
    std::string first;
    std::getline(lines, first);
    EXPECT_TRUE(first.starts_with("1\t")) << first;
    EXPECT_TRUE(first.ends_with("\tBodyMesh")) << first;
    const std::string saved = ReadTextFile(report);
    EXPECT_TRUE(saved.starts_with("No.,Name,Missing Skin,Skin Slot\r\n1,")) << saved;
    EXPECT_NE(saved.find(",FormalMesh\r\n"), std::string::npos) << "--children-formals checks the formal skins";
}

}  // namespace
}  // namespace corvane::cli
