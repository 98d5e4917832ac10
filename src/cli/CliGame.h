#pragma once

#include "cli/CliArguments.h"

#include <filesystem>
#include <stdexcept>

namespace corvane::cli {

// Something the command names is not there, or a file is damaged (exit status 2).
class GameDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Finds the game as the editor does (or from --game), settles the
// process-wide settings (game folder, expansion level, language) and loads
// the language table. Throws GameDataError when there is no game.
void SetUpGame(const CliArguments& args, const std::filesystem::path& languageFolder);

}  // namespace corvane::cli
