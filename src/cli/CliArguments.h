#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

// What the command line asked for: the options before the command, the
// command word and its own arguments.
struct CliArguments {
    std::optional<std::string> gameFolder;  // --game DIR
    std::optional<std::string> languageCode;  // --lang CODE
    bool json = false;                        // --json (where a command offers it)
    bool dryRun = false;                      // --dry-run
    std::optional<std::string> outFile;       // --out FILE (after the command)
    std::optional<std::string> size;          // --size WxH (after the command)
    std::string command;                      // "help", "version", or a command word
    std::vector<std::string> arguments;
};

// Throws std::invalid_argument with a message for the user on wrong usage.
CliArguments ParseCliArguments(const std::vector<std::string>& args);

}  // namespace corvane::cli
