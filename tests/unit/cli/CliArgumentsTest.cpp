#include "cli/CliArguments.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane::cli {
namespace {

TEST(CliArguments, OptionsBeforeTheCommandAndArgumentsAfterIt) {
    auto parsed = ParseCliArguments({"--game", "/games/sims", "--lang", "uken", "--quiet", "show", "UserData2",
                                     "User00001.iff", "--json"});
    EXPECT_TRUE(parsed.quiet);
    EXPECT_FALSE(parsed.progress);
    EXPECT_EQ(parsed.gameFolder, "/games/sims");
    EXPECT_EQ(parsed.languageCode, "uken");
    EXPECT_EQ(parsed.command, "show");
    EXPECT_EQ(parsed.arguments, (std::vector<std::string>{"UserData2", "User00001.iff"}));
    EXPECT_TRUE(parsed.json);
    EXPECT_EQ(ParseCliArguments({"--version"}).command, "version");
    EXPECT_EQ(ParseCliArguments({"--help"}).command, "help");
}

TEST(CliArguments, TheProfileOptionsGoAfterTheCommandAndLeaveOutRepeats) {
    const auto exported = ParseCliArguments({"export-cvp", "01", "User00001", "a.cvp", "--rating", "A", "--credits",
                                             "-- by Ana --", "--leave-out", "x.cmx", "--leave-out", "y.bmp"});
    EXPECT_EQ(exported.rating, 'A');
    EXPECT_EQ(exported.credits, "-- by Ana --");
    EXPECT_EQ(exported.leaveOut, (std::vector<std::string>{"x.cmx", "y.bmp"}));
    EXPECT_EQ(exported.arguments.size(), 3u);
    EXPECT_EQ(ParseCliArguments({"import-cvp", "--overwrite", "all"}).overwrite, true);
    EXPECT_EQ(ParseCliArguments({"import-cvp", "--overwrite", "none"}).overwrite, false);
    EXPECT_FALSE(ParseCliArguments({"import-cvp"}).overwrite.has_value());
}

TEST(CliArguments, TheSkinChoicesGoAfterTheCommand) {
    const auto built = ParseCliArguments({"build-cmx", "out", "--type", "hands", "--gender", "female", "--age", "child",
                                          "--size", "fat", "--tone", "dark", "--hand", "right", "--hand-type",
                                          "pointing", "--series", "7", "--name", "Red", "a.skn", "--replace"});
    EXPECT_EQ(built.skinType, "hands");
    EXPECT_EQ(built.gender, "female");
    EXPECT_EQ(built.age, "child");
    EXPECT_EQ(built.size, "fat");
    EXPECT_EQ(built.tone, "dark");
    EXPECT_EQ(built.hand, "right");
    EXPECT_EQ(built.handType, "pointing");
    EXPECT_EQ(built.series, "7");
    EXPECT_EQ(built.skinName, "Red");
    EXPECT_TRUE(built.replace);
    EXPECT_EQ(built.arguments, (std::vector<std::string>{"out", "a.skn"}));
}

TEST(CliArguments, WrongUsageIsRejected) {
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                 {"--game"},
                                                                 {"--bogus", "x"},
                                                                 {"x", "--xml"},
                                                                 {"show", "01", "-j"},
                                                                 {"--lang"},
                                                                 {"--lang", "xx", "neighbourhoods"},
                                                                 {"--out", "a.png", "render"},
                                                                 {"show", "--lang", "fren"},
                                                                 {"--mesh", "b001mafit_01", "skins"},
                                                                 {"skins", "01", "User00001", "body", "--seed", "-1"},
                                                                 {"export-cvp", "--rating", "T+"},
                                                                 {"export-cvp", "--rating", "t"},
                                                                 {"--rating", "T", "export-cvp"},
                                                                 {"import-cvp", "--overwrite", "some"},
                                                                 {"export-cvp", "--leave-out"},
                                                                 {"--type", "body", "build-cmx"},
                                                                 {"import-texture", "a.bmp", "--name"}}) {
        EXPECT_THROW(ParseCliArguments(args), std::invalid_argument) << (args.empty() ? "(none)" : args.back());
    }
}

}  // namespace
}  // namespace corvane::cli
