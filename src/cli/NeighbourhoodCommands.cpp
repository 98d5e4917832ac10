#include "cli/NeighbourhoodCommands.h"

#include "app/GameInstallation.h"
#include "app/Settings.h"
#include "cli/CliNeighbourhood.h"
#include "cli/SimJson.h"

namespace corvane::cli {

int RunNeighbourhoods(const CliArguments&, std::ostream& out) {
    for (const NeighbourhoodEntry& entry : ListNeighbourhoods(AppSettings().GamePath)) {
        out << entry.number << "\t" << entry.folderName << "\n";
    }
    return 0;
}

int RunCharacters(const CliArguments& args, std::ostream& out) {
    const CharacterList list = OpenCharacterList(RequiredArgument(args, 0, "a neighbourhood folder such as UserData2"));
    for (const CharacterList::Entry& entry : list.entries()) {
        out << GameTextToUtf8(entry.text) << "\n";
    }
    return 0;
}

int RunShow(const CliArguments& args, std::ostream& out) {
    const CharacterList list = OpenCharacterList(RequiredArgument(args, 0, "a neighbourhood folder and a character file"));
    const Sim& sim = FindCharacter(list, RequiredArgument(args, 1, "a character file such as User00001"), args.arguments[0]);
    out << (args.json ? SimAsJson(sim, GameTextToUtf8) : SimAsText(sim, GameTextToUtf8));
    return 0;
}

}  // namespace corvane::cli
