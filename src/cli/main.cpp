// corvane3d-cli: the editor's core without a window, for batch work and scripts.

#include "app/VersionText.h"
#include "cli/CliArguments.h"

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;

const char* const kUsage =
    "Usage: corvane3d-cli [--game DIR] [--lang CODE] COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on the characters and skins of a The Sims installation without a window.\n"
    "\n"
    "Options:\n"
    "  --game DIR    the game's installation folder (default: found as the editor finds it)\n"
    "  --lang CODE   language of the texts: usen, uken, fren, ... (default: the game's language)\n"
    "  --help        this text\n"
    "  --version     the program's version\n";

int run(const corvane::cli::CliArguments& args) {
    if (args.command == "help") {
        std::cout << kUsage;
        return kExitOk;
    }
    if (args.command == "version") {
        std::cout << "corvane3d-cli " << corvane::GetVersionText() << "\n";
        return kExitOk;
    }
    std::cerr << "corvane3d-cli: unknown command '" << args.command << "'\n" << kUsage;
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return run(corvane::cli::ParseCliArguments(args));
    } catch (const std::invalid_argument& error) {
        std::cerr << "corvane3d-cli: " << error.what() << "\n" << kUsage;
        return kExitUsage;
    }
}
