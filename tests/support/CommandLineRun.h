#pragma once

// For test programs that link the command-line tool.

#include "TestPaths.h"
#include "app/Settings.h"
#include "cli/CommandLine.h"
#include "skins/SkinCatalogue.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::test {

struct CommandLineResult {
    int status;
    std::string out;
    std::string err;
};

// `words` run on the game in `game` (--game first), as a script runs them;
// the settings and the skin catalogue the run leaves behind are cleared.
inline CommandLineResult RunCommandLineOn(const std::filesystem::path& game, std::vector<std::string> words) {
    words.insert(words.begin(), {"--game", game.string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCommandLine(words, out, err, CORVANE_LANG_DIR);
    AppSettings() = Settings();
    DiscardSkinCatalogue(GameSkinCatalogue());
    return {status, out.str(), err.str()};
}

}  // namespace corvane::test
