// corvane3d-cli: the editor's core without a window, for batch work and scripts.

#include "app/VersionText.h"
#include "cli/CliArguments.h"
#include "cli/CliGame.h"
#include "cli/NeighbourhoodCommands.h"
#include "cli/RenderCommand.h"
#include "cli/SetCommand.h"
#include "cli/SkinCommands.h"
#include "neighbourhoods/InterruptedSaveReport.h"
#include "platform/AppFolder.h"
#include "platform/FormatError.h"

#include <csignal>
#include <functional>
#include <map>

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitNotFound = 2;

using Command = std::function<int(const corvane::cli::CliArguments&, std::ostream&)>;

// The commands that work on the game, by their word.
const std::map<std::string, Command>& gameCommands() {
    static const std::map<std::string, Command> commands{
        {"catalogue", corvane::cli::RunCatalogue},
        {"cmx", corvane::cli::RunCmx},
        {"skn", corvane::cli::RunSkn},
        {"skeleton", corvane::cli::RunSkeleton},
        {"neighbourhoods", corvane::cli::RunNeighbourhoods},
        {"characters", corvane::cli::RunCharacters},
        {"show", corvane::cli::RunShow},
        {"set", corvane::cli::RunSet},
        {"render", corvane::cli::RunRender},
    };
    return commands;
}

const char* const kUsage =
    "Usage: corvane3d-cli [--game DIR] [--lang CODE] COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on the characters and skins of a The Sims installation without a window.\n"
    "\n"
    "Commands:\n"
    "  catalogue     the sizes of the skin catalogue's lists\n"
    "  cmx NAME      the text of a character file (loose, else from the archives)\n"
    "  skn NAME      the text of a mesh (loose, else from the archives)\n"
    "  skeleton NAME the text of a skeleton such as adult-skeleton\n"
    "  neighbourhoods             each neighbourhood's number and folder\n"
    "  characters NB              the characters of neighbourhood folder NB (e.g. UserData2)\n"
    "  show NB FILE [--json]      one character's record (FILE such as User00001)\n"
    "  set NB FILE Field=Value... [--dry-run]\n"
    "                             changes fields (Neat=800, FirstName=Bella, BodyTexture=...)\n"
    "                             and saves the character; --dry-run only shows what would change\n"
    "  render NB FILE --out FILE.png [--size WxH]\n"
    "                             the character as the 3D preview shows it, drawn without a display\n"
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
    auto command = gameCommands().find(args.command);
    if (command == gameCommands().end()) {
        std::cerr << "corvane3d-cli: unknown command '" << args.command << "'\n" << kUsage;
        return kExitUsage;
    }
    corvane::cli::SetUpGame(args, corvane::ProgramDataFolder(corvane::CurrentExecutable(), "lang"));
    // A save cut off last time is completed or undone before any file is read.
    const corvane::InterruptedSaveReport interrupted = corvane::FinishInterruptedSaveAndDescribe();
    if (!interrupted.text.empty()) std::cerr << "corvane3d-cli: " << interrupted.text << "\n";
    if (interrupted.failed) return kExitNotFound;  // its files may be part old, part new: read none of them
    return command->second(args, std::cout);
}

}  // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails with EFBIG, and the write's own
    // clean-up removes what it began, instead of the signal ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return run(corvane::cli::ParseCliArguments(args));
    } catch (const std::invalid_argument& error) {
        std::cerr << "corvane3d-cli: " << error.what() << "\n" << kUsage;
        return kExitUsage;
    } catch (const corvane::cli::GameDataError& error) {
        std::cerr << "corvane3d-cli: " << error.what() << "\n";
        return kExitNotFound;
    } catch (const corvane::FormatError& error) {
        std::cerr << "corvane3d-cli: " << error.what() << "\n";
        return kExitNotFound;
    } catch (const std::exception& error) {
        // A file that cannot be written, or no OpenGL to draw with.
        std::cerr << "corvane3d-cli: " << error.what() << "\n";
        return kExitNotFound;
    }
}
