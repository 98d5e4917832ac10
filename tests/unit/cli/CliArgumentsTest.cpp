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
                                                                 {"skins", "01", "User00001", "body", "--seed", "-1"}}) {
        EXPECT_THROW(ParseCliArguments(args), std::invalid_argument) << (args.empty() ? "(none)" : args.back());
    }
}

}  // namespace
}  // namespace corvane::cli
