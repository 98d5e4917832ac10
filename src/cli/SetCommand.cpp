#include "cli/SetCommand.h"

#include "app/GameFileSettings.h"
#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/StderrProgress.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodValuesUpdate.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "sim/FieldAssignment.h"
#include "sim/SimFields.h"
#include "skins/SkinCatalogueBuilder.h"

#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

std::string fieldText(const Sim& sim, const SimField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = sim.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                return "\"" + GameTextToUtf8(value) + "\"";
            } else {
                return std::to_string(value);
            }
        },
        field.member);
}

void printChanges(const Sim& before, const Sim& after, std::ostream& out) {
    for (const SimField& field : SimFieldTable()) {
        const std::string old = fieldText(before, field);
        const std::string now = fieldText(after, field);
        if (old != now && field.name != "Modified" && field.name != "LastNameChanged" && field.name != "FamilyChanged") {
            out << field.name << ": " << old << " -> " << now << "\n";
        }
    }
}

void assignAll(const CliArguments& args, Document& document, Sim& sim) {
    if (args.arguments.size() < 3) {
        throw std::invalid_argument("set needs at least one Field=Value");
    }
    for (std::size_t i = 2; i < args.arguments.size(); ++i) {
        const std::string& assignment = args.arguments[i];
        const auto equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw std::invalid_argument("\"" + assignment + "\" is not Field=Value");
        }
        AssignField(document, sim, assignment.substr(0, equals), Utf8ToGameText(assignment.substr(equals + 1)));
    }
}

// What a save would write, without writing it.
void printPlannedWrites(const Sim& sim, const std::filesystem::path& folder, std::ostream& out) {
    std::vector<std::uint8_t> neighbourhood = ReadFileBytes(ResolveCaseInsensitive(folder, "neighborhood.iff"));
    const std::vector<std::uint8_t> before = neighbourhood;
    std::string step;
    if (UpdateNeighborhoodValues(neighbourhood, sim, AppSettings().ExpansionLevel, step)) {
        std::size_t changed = 0;
        for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != neighbourhood[i] ? 1 : 0;
        out << "would change " << changed << " bytes of neighborhood.iff\n";
    }
    if (sim.LastNameChanged || sim.FamilyChanged) {
        out << "would rewrite the households and family names of neighborhood.iff\n";
    }
    out << "would rebuild Characters/" << sim.FileName << ".iff\n";
}

void save(CharacterList& list, const std::filesystem::path& folder, const Sim& sim) {
    const Settings& settings = AppSettings();
    const CharacterSaveSettings saveSettings = SaveSettingsFor(settings, folder);
    CliDialogs dialogs(std::cerr, LangStr(8075));
    StderrProgress progress;
    CharacterSaveServices services{dialogs, progress, [&]() -> const SkinCatalogue& {
                                       SkinCatalogue& catalogue = GameSkinCatalogue();
                                       if (!catalogue.complete()) {
                                           LoadSkinData(catalogue, SkinFolders(settings.GamePath, settings.ExpansionLevel), progress);
                                       }
                                       return catalogue;
                                   }};
    const CharacterSaveResult result = SaveModifiedCharacters(list, saveSettings, services);
    if (!result.leftChanged.empty()) {
        // The dialogs leave such a file as it is: the other program's work is never overwritten.
        throw GameDataError(result.leftChanged.front().string() +
                            " was changed by another program since it was read; nothing was saved");
    }
    if (sim.Modified) {
        throw GameDataError("the save of " + sim.FileName + " did not finish (see above)");
    }
}

}  // namespace

int RunSet(const CliArguments& args, std::ostream& out) {
    const std::string folderName = RequiredArgument(args, 0, "a neighbourhood folder, a character file and Field=Value");
    Document document(AppSettings().ExpansionLevel);
    OpenDocument(folderName, document);
    CharacterList& list = document.characters();
    Sim& sim = FindCharacter(list, RequiredArgument(args, 1, "a character file such as User00001"), folderName);
    if (sim.isDamaged()) {
        throw GameDataError(LangStr(7010) + " : " + sim.Damage + " " + LangStr(7169));
    }
    // Only this character is saved, whatever the loading repaired in the others.
    for (Sim* other : list.sims()) other->Modified = false;
    const Sim before = sim;
    assignAll(args, document, sim);
    printChanges(before, sim, out);
    const auto folder = NeighbourhoodFolder(folderName);
    if (args.dryRun) {
        printPlannedWrites(sim, folder, out);
        return 0;
    }
    save(list, folder, sim);
    return 0;
}

}  // namespace corvane::cli
