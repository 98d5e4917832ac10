#include "cli/NeighbourhoodCommands.h"

#include "unit/cli/DemoGameTest.h"

#include "iff/IffRewrite.h"
#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"

#include <functional>
#include <span>

#include <fstream>
#include <iostream>

namespace corvane::cli {
namespace {

using NeighbourhoodCommandsTest = DemoGameTest;

TEST_F(NeighbourhoodCommandsTest, ListsNeighbourhoodsAndTheirCharacters) {
    EXPECT_EQ(run(RunNeighbourhoods, {}), "01\tUserData\n02\tUserData2\n03\tUserData3\n");
    const std::string characters = run(RunCharacters, {"userdata"});
    EXPECT_EQ(characters.substr(0, characters.find('\n')), "Marlow, Biscuit : User00006");
    EXPECT_NE(characters.find("Vale, Iris : User00005\n"), std::string::npos);
}

TEST_F(NeighbourhoodCommandsTest, ShowsOneRecordAsTextOrJson) {
    const std::string text = run(RunShow, {"UserData", "User00003.iff"});
    EXPECT_NE(text.find("FirstName\tTess\n"), std::string::npos);
    EXPECT_NE(text.find("Career\t65535\n"), std::string::npos) << "a child at school";
    const std::string json = run(RunShow, {"UserData", "User00001"}, /*json=*/true);
    EXPECT_EQ(json.front(), '{');
    EXPECT_NE(json.find("\"FirstName\": \"Victor\""), std::string::npos);
    EXPECT_NE(json.find("\"GUID\": \"0100005d\""), std::string::npos) << "the GUID's bytes in file order";
    EXPECT_NE(json.find("\"Modified\": false"), std::string::npos);
    EXPECT_NE(json.find("\"Relationships\": [\n    {\"TargetID\": 2"), std::string::npos);
    EXPECT_EQ(json.find("BodyStringsHead"), std::string::npos);

    CliArguments missing;
    missing.gameFolder = game.string();
    missing.arguments = {"UserData", "User09999"};
    std::ostringstream out;
    EXPECT_THROW(RunShow(missing, out), GameDataError);
    missing.arguments = {"Downtown"};
    EXPECT_THROW(RunCharacters(missing, out), GameDataError);
}

TEST_F(NeighbourhoodCommandsTest, ReadingLeavesATooShortCharacterFileInPlaceAndSaysSo) {
    const auto small = game / "UserData" / "Characters" / "User00009.iff";
    const std::vector<std::uint8_t> bytes(512, 0xA3);
    { std::ofstream(small, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 512); }
    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
    std::ostringstream errors;
    std::streambuf* stderrBuffer = std::cerr.rdbuf(errors.rdbuf());
    const std::string characters = run(RunCharacters, {"UserData"});
    std::cerr.rdbuf(stderrBuffer);
    EXPECT_NE(characters.find("Vale, Iris : User00005\n"), std::string::npos) << "the others are listed";
    EXPECT_NE(errors.str().find("User00009.iff: 512 bytes, too short to be a character file; left in place"),
              std::string::npos) << errors.str();
    EXPECT_EQ(ReadFileBytes(small), bytes);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "data" / "Trash")) << "nothing went to the Trash";
}

// A character file that cannot be listed is never left out silently: the
// reason goes to stderr, naming the file, and the others are listed.
TEST_F(NeighbourhoodCommandsTest, ACharacterWithoutOBJDOrWithAGuidOfNoFamilyIsReported) {
    struct Case {
        const char* fault;
        std::function<ChunkDecision(const Section&, std::span<const std::uint8_t>)> change;
        std::string said;
    };
    const std::vector<Case> cases{
        {"objd_missing",
         [](const Section& s, std::span<const std::uint8_t>) {
             return s.ChunkType == "OBJD" ? ChunkDecision::drop() : ChunkDecision::copy();
         },
         "User00003.iff (User00003.iff: the file has no OBJD chunk, which holds the character's GUID)"},
        {"guid_of_no_family",
         [](const Section& s, std::span<const std::uint8_t> file) {
             if (s.ChunkType != "OBJD") return ChunkDecision::copy();
             std::vector<std::uint8_t> chunk(file.begin() + s.ChunkOffset, file.begin() + s.ChunkOffset + s.ChunkSize);
             chunk[kChunkHeaderSize + 28 + 3] = 0x77;  // the GUID's last byte
             return ChunkDecision::replace(chunk);
         },
         "User00003.iff (GUID 03000077)"},
    };
    const auto file = game / "UserData" / "Characters" / "User00003.iff";
    const auto original = ReadFileBytes(file);
    for (const Case& c : cases) {
        const auto changed = RewriteIff(original, ReadChunkList(original),
                                        [&](const Section& s) { return c.change(s, original); }, true);
        ReplaceFileAtomically(file, std::string_view(reinterpret_cast<const char*>(changed.data()), changed.size()));
        const Result result = runLine({"--game", "GAME", "characters", "UserData"});
        EXPECT_EQ(result.status, 0) << c.fault;
        EXPECT_EQ(result.out.find("User00003"), std::string::npos) << c.fault;
        EXPECT_NE(result.out.find("Vale, Iris : User00005\n"), std::string::npos) << c.fault << ": the others are listed";
        EXPECT_NE(result.err.find("\n" + c.said), std::string::npos) << c.fault << ": " << result.err;
        EXPECT_EQ(ReadFileBytes(file), changed) << c.fault << ": left as it is";
    }
}

// A neighbourhood file that cannot be read whole lists nothing: the reason on
// stderr and a failure (exit status 2), never an empty list that looks fine.
TEST_F(NeighbourhoodCommandsTest, ADamagedNeighbourhoodFileFailsTheReadingCommands) {
    const auto file = game / "UserData" / "neighborhood.iff";
    auto bytes = ReadFileBytes(file);
    bytes.resize(1000);
    { std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 1000); }
    std::ostringstream errors;
    std::streambuf* stderrBuffer = std::cerr.rdbuf(errors.rdbuf());
    std::ostringstream out;
    EXPECT_THROW(RunCharacters(args({"UserData"}), out), GameDataError);
    EXPECT_THROW(RunShow(args({"UserData", "User00001"}), out), GameDataError);
    std::cerr.rdbuf(stderrBuffer);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(errors.str().find("neighborhood.iff: the NBRS chunk at offset "), std::string::npos) << errors.str();
    EXPECT_NE(errors.str().find("past the end of the file (1000 bytes)"), std::string::npos) << errors.str();
    EXPECT_EQ(ReadFileBytes(file), bytes);
}

}  // namespace
}  // namespace corvane::cli
