#pragma once

#include "TestPaths.h"
#include "app/Settings.h"
#include "cli/CliArguments.h"
#include "cli/CliGame.h"
#include "cli/CommandLine.h"
#include "demo/DemoInstallation.h"
#include "skins/SkinCatalogue.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane::cli {

// A command of the command-line tool run on the demo installation, with the
// user's home, Wine prefix and application folder kept out of the way.
class DemoGameTest : public ::testing::Test {
protected:
    void TearDown() override {
        AppSettings() = Settings();
        DiscardSkinCatalogue(GameSkinCatalogue());
    }

    CliArguments args(std::vector<std::string> arguments, bool json = false, bool dryRun = false) const {
        CliArguments a;
        a.gameFolder = game.string();
        a.arguments = std::move(arguments);
        a.json = json;
        a.dryRun = dryRun;
        a.command = "test";
        SetUpGame(a, CORVANE_LANG_DIR);
        return a;
    }
    // The command's output; it must succeed.
    std::string run(int (*command)(const CliArguments&, std::ostream&), std::vector<std::string> arguments,
                    bool json = false, bool dryRun = false) const {
        std::ostringstream out;
        EXPECT_EQ(command(args(std::move(arguments), json, dryRun), out), 0);
        return out.str();
    }

    struct Result {
        int status;
        std::string out;
        std::string err;
    };

    // The whole command line `words`, as a script runs it, with "GAME" standing for the demo's folder.
    Result runLine(std::vector<std::string> words) const {
        for (std::string& word : words) {
            if (word.starts_with("GAME")) word = game.string() + word.substr(4);
        }
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCommandLine(words, out, err, CORVANE_LANG_DIR);
        AppSettings() = Settings();
        return {status, out.str(), err.str()};
    }

    test::TempDir folder;
    test::EnvOverride home{"HOME", folder.path().string()};
    test::EnvOverride prefix{"WINEPREFIX", std::nullopt};
    test::EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    std::filesystem::path game = EnsureDemoInstallation(folder.path() / "demo");
};

}  // namespace corvane::cli
