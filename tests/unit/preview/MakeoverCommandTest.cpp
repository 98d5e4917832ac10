// `corvane3d-cli set` with a makeover field: the new face's pictures are drawn
// as the editor draws them, for the save to take (into the character file at
// expansion level 5; the demo's level 7 keeps no pictures there, so the old
// ones go and the game draws new ones).
#include "cli/NeighbourhoodCommands.h"
#include "cli/SetCommand.h"

#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "platform/AppFolder.h"
#include "platform/FileBytes.h"
#include "unit/cli/DemoGameTest.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

namespace corvane::cli {
namespace {

class MakeoverCommandTest : public DemoGameTest {
protected:
    // The BMP_ chunks of the character file, data and labels.
    std::vector<std::vector<std::uint8_t>> pictures() const {
        const auto file = ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff");
        std::vector<std::vector<std::uint8_t>> found;
        for (const Section& section : ReadChunkList(file).sections) {
            if (section.ChunkType != "BMP_") continue;
            const auto data = ChunkData(file, section);
            found.emplace_back(data.begin(), data.end());
        }
        return found;
    }
};

TEST_F(MakeoverCommandTest, AChildsNewFaceIsDrawnAndSaved) {
    const auto before = pictures();
    ASSERT_FALSE(before.empty());
    CliArguments a = args({"UserData", "User00001", "AgeGroup=child"});
    a.seed = 5;
    std::ostringstream out;
    std::ostringstream said;
    std::streambuf* const errors = std::cerr.rdbuf(said.rdbuf());
    const int status = RunSet(a, out);
    std::cerr.rdbuf(errors);
    ASSERT_EQ(status, 0);
    // The demo's child wears only the open hands; the save names the others it clears.
    std::istringstream lines(said.str());
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("User00001: cleared ", 0), 0u) << "the pictures were drawn: " << line;
    }
    EXPECT_NE(out.str().find("AgeGroup: \"adult\" -> \"child\"\n"), std::string::npos) << out.str();
    const std::string shown = run(RunShow, {"UserData", "User00001"});
    EXPECT_NE(shown.find("Age\t9\n"), std::string::npos);
    EXPECT_NE(shown.find("OpenLHandMesh\thulo\n"), std::string::npos);
    EXPECT_NE(shown.find("ResetThumbnail\tfalse\n"), std::string::npos) << "the save took the request";
    EXPECT_TRUE(pictures().empty()) << "the old face's pictures are gone";
    EXPECT_FALSE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00001")))
        << "the staged pictures were used up by the save";
}

}  // namespace
}  // namespace corvane::cli
