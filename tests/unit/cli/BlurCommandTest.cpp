#include "cli/BlurCommand.h"

#include "unit/cli/DemoGameTest.h"

namespace corvane::cli {
namespace {

class BlurCommandTest : public DemoGameTest {
protected:
    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
};

TEST_F(BlurCommandTest, ListsAndSwitchesTheBlurOfEachKind) {
    EXPECT_EQ(run(RunBlur, {}), "adult\ton\nchild\ton\ndog\ton\ncat\ton\n");
    EXPECT_EQ(run(RunBlur, {"child", "off"}), "adult\ton\nchild\toff\ndog\ton\ncat\ton\n");
    EXPECT_TRUE(std::filesystem::exists(game / "GameData/Skins/Child.cmx")) << "the demo is at level 7";
    EXPECT_EQ(run(RunBlur, {"child", "on"}), "adult\ton\nchild\ton\ndog\ton\ncat\ton\n");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data/Trash/files/Child.cmx"));
}

TEST_F(BlurCommandTest, RefusesWhatItDoesNotKnow) {
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"adult"}, {"horse", "off"}, {"adult", "maybe"}}) {
        std::ostringstream out;
        EXPECT_THROW(RunBlur(args(wrong), out), std::invalid_argument) << wrong[0];
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(game / "GameData/Skins/Adult.cmx"));
}

}  // namespace
}  // namespace corvane::cli
