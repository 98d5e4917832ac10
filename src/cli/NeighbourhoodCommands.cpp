#include "cli/NeighbourhoodCommands.h"

#include "app/GameInstallation.h"
#include "app/Settings.h"
#include "cli/CliNeighbourhood.h"
#include "cli/JsonWriter.h"
#include "cli/SimJson.h"
#include "neighbourhoods/NeighbourhoodLoader.h"

namespace corvane::cli {

int RunNeighbourhoods(const CliArguments& args, std::ostream& out) {
    const auto& gamePath = AppSettings().GamePath;
    std::vector<std::string> json;
    for (const NeighbourhoodEntry& entry : ListNeighbourhoods(gamePath)) {
        if (!args.json) {
            out << entry.number << "\t" << entry.folderName << "\n";
            continue;
        }
        const auto characters = CharacterFilesOf(gamePath / entry.folderName).size();
        json.push_back(JsonObject()
                           .text("Number", entry.number)
                           .text("Folder", entry.folderName)
                           .number("Characters", static_cast<std::int64_t>(characters))
                           .line());
    }
    if (args.json) out << JsonArray(json, 2) << "\n";
    return 0;
}

int RunCharacters(const CliArguments& args, std::ostream& out) {
    const CharacterList list = OpenCharacterList(RequiredArgument(args, 0, "a neighbourhood such as UserData2 or 02"));
    std::vector<std::string> json;
    for (const CharacterList::Entry& entry : list.entries()) {
        if (!args.json) {
            out << GameTextToUtf8(entry.text) << "\n";
            continue;
        }
        const Sim& sim = *entry.sim;
        json.push_back(JsonObject()
                           .text("FileName", sim.FileName)
                           .text("FirstName", GameTextToUtf8(sim.FirstName))
                           .text("LastName", GameTextToUtf8(sim.LastName))
                           .text("AgeGroup", sim.AgeGroup)
                           .number("Gender", sim.Gender)
                           .number("FamilyNumber", sim.FamilyNumber)
                           .flag("Modified", sim.Modified)
                           .line());
    }
    if (args.json) out << JsonArray(json, 2) << "\n";
    return 0;
}

int RunShow(const CliArguments& args, std::ostream& out) {
    const CharacterList list = OpenCharacterList(RequiredArgument(args, 0, "a neighbourhood and a character file"));
    const Sim& sim = FindCharacter(list, RequiredArgument(args, 1, "a character file such as User00001"), args.arguments[0]);
    out << (args.json ? SimAsJson(sim, GameTextToUtf8) : SimAsText(sim, GameTextToUtf8));
    return 0;
}

}  // namespace corvane::cli
