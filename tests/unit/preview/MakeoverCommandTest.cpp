// `corvane3d-cli set` with a makeover field: the new face's pictures are drawn
// as the editor draws them and the save writes them into the character file.
#include "cli/NeighbourhoodCommands.h"
#include "cli/SetCommand.h"

#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "platform/AppFolder.h"
#include "platform/FileBytes.h"
#include "unit/cli/DemoGameTest.h"

#include <gtest/gtest.h>

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
    ASSERT_EQ(RunSet(a, out), 0);
    EXPECT_NE(out.str().find("AgeGroup: \"adult\" -> \"child\"\n"), std::string::npos) << out.str();
    const std::string shown = run(RunShow, {"UserData", "User00001"});
    EXPECT_NE(shown.find("Age\t9\n"), std::string::npos);
    EXPECT_NE(shown.find("OpenLHandMesh\thulo\n"), std::string::npos);
    EXPECT_NE(shown.find("ResetThumbnail\tfalse\n"), std::string::npos) << "the save took the request";
    const auto after = pictures();
    EXPECT_EQ(after.size(), before.size()) << "six new pictures in the place of the old";
    EXPECT_NE(after, before);
    EXPECT_FALSE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00001")))
        << "the staged pictures were used up by the save";
}

}  // namespace
}  // namespace corvane::cli
