#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
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
    bool quiet = false;                       // --quiet: nothing on stderr but errors
    bool progress = false;                    // --progress: progress lines even off a terminal
    std::optional<std::string> outFile;       // --out FILE (after the command)
    std::optional<std::string> size;          // --size WxH (after the command)
    std::optional<std::string> mesh;          // --mesh NAME (after the command)
    std::optional<std::uint32_t> seed;        // --seed N (after the command): random choices repeat
    std::optional<char> rating;               // --rating E|T|M|A (after the command)
    std::optional<std::string> credits;       // --credits TEXT (after the command)
    std::vector<std::string> leaveOut;        // --leave-out NAME, repeatable (after the command)
    std::optional<bool> overwrite;            // --overwrite all|none (after the command): true for all
    std::optional<std::string> restoreAs;     // --as NB (after the command)
    bool replace = false;                     // --replace (after the command)
    // The skin-making commands' choices (after the command), as typed: --type,
    // --gender, --age, --tone, --hand, --hand-type, --series, --name; --size
    // is the body size there.
    std::optional<std::string> skinType;
    std::optional<std::string> gender;
    std::optional<std::string> age;
    std::optional<std::string> tone;
    std::optional<std::string> hand;
    std::optional<std::string> handType;
    std::optional<std::string> series;
    std::optional<std::string> skinName;
    bool childrenFormals = false;             // --children-formals (after the command)
    std::optional<std::string> report;        // --report FILE (after the command)
    std::string command;                      // "help", "version", or a command word
    std::vector<std::string> arguments;
};

// The command line names no command: the whole usage is the answer.
class NoCommandError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Throws std::invalid_argument with a message for the user on wrong usage:
// an unknown option or language code, an option on the wrong side of the
// command, a missing value, no command.
CliArguments ParseCliArguments(const std::vector<std::string>& args);

}  // namespace corvane::cli
