#include "cli/CliArguments.h"

#include <stdexcept>

namespace corvane::cli {

namespace {

std::string valueAfter(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) {
        throw std::invalid_argument(args[i] + " needs a value");
    }
    return args[++i];
}

}  // namespace

CliArguments ParseCliArguments(const std::vector<std::string>& args) {
    CliArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.command = "help";
        } else if (arg == "--version") {
            parsed.command = "version";
        } else if (arg == "--json") {
            parsed.json = true;
        } else if (arg == "--dry-run") {
            parsed.dryRun = true;
        } else if (!parsed.command.empty() && arg == "--out") {
            parsed.outFile = valueAfter(args, i);
        } else if (!parsed.command.empty() && arg == "--size") {
            parsed.size = valueAfter(args, i);
        } else if (parsed.command.empty() && arg == "--game") {
            parsed.gameFolder = valueAfter(args, i);
        } else if (parsed.command.empty() && arg == "--lang") {
            parsed.languageCode = valueAfter(args, i);
        } else if (parsed.command.empty()) {
            if (arg.starts_with("--")) {
                throw std::invalid_argument("unknown option " + arg);
            }
            parsed.command = arg;
        } else {
            parsed.arguments.push_back(arg);
        }
    }
    if (parsed.command.empty()) {
        throw std::invalid_argument("no command given");
    }
    return parsed;
}

}  // namespace corvane::cli
