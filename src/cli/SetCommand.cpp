#include "cli/SetCommand.h"

#include "app/GameFileSettings.h"
#include "app/Settings.h"
#include "cli/Chatter.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/PlainText.h"
#include "cli/StderrProgress.h"
#include "iff/CharacterImageFile.h"
#include "neighbourhoods/BodyStringsWriter.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodValuesUpdate.h"
#include "render/CharacterImages.h"
#include "render/SurfacelessGlContext.h"
#include "platform/AppFolder.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "sim/EditHistory.h"
#include "sim/FieldAssignment.h"
#include "sim/Makeover.h"
#include "sim/SimFields.h"
#include "skins/SkinCatalogueBuilder.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace corvane::cli {

namespace {

std::string fieldText(const Sim& sim, const SimField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = sim.*member;
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, std::string>) {
                return "\"" + PlainText(GameTextToUtf8(value)) + "\"";
            } else if constexpr (std::is_same_v<Value, bool>) {
                return value ? "true" : "false";  // as `show` prints flags
            } else {
                return std::to_string(value);
            }
        },
        field.member);
}

// Every record the edits changed: the character's own fields, then the others' with their file names.
void printChanges(const Sim& edited, const std::vector<std::pair<const Sim*, Sim>>& before, std::ostream& out) {
    for (const auto& [sim, old] : before) {
        const std::string prefix = sim == &edited ? "" : sim->FileName + ": ";
        for (const SimField& field : SimFieldTable()) {
            const std::string was = fieldText(old, field);
            const std::string now = fieldText(*sim, field);
            if (was != now && field.name != "Modified" && field.name != "LastNameChanged" &&
                field.name != "FamilyChanged") {
                out << prefix << field.name << ": " << was << " -> " << now << "\n";
            }
        }
    }
}

// The game's skins, found once and only when needed: the catalogue the save
// builds, and the same installed-skin test as the save's.
class GameSkins {
public:
    explicit GameSkins(Dialogs& dialogs) : dialogs_(dialogs) {}

    // What a makeover draws from; a character file it cannot use is said on stderr.
    MakeoverSkins makeover() { return {{folders_, catalogue()}, &dialogs_}; }
    const SkinFolders& folders() const { return folders_; }
    const SkinCatalogue& catalogue() {
        SkinCatalogue& catalogue = GameSkinCatalogue();
        if (!catalogue.complete()) LoadSkinData(catalogue, folders_, progress_);
        return catalogue;
    }
    const InstalledSkins& installed() {
        if (!installed_) installed_.emplace(folders_, catalogue());
        return *installed_;
    }

private:
    Dialogs& dialogs_;
    StderrProgress progress_;
    SkinFolders folders_{AppSettings().GamePath, AppSettings().ExpansionLevel};
    std::optional<InstalledSkins> installed_;
};

void assignAll(const CliArguments& args, Document& document, Sim& sim, GameSkins& skins) {
    if (args.arguments.size() < 3) {
        throw std::invalid_argument("set needs at least one Field=Value");
    }
    const InstalledSkinsLookup installed = [&]() -> const InstalledSkins& { return skins.installed(); };
    const MakeoverSkinsLookup makeover = [&] { return skins.makeover(); };
    for (std::size_t i = 2; i < args.arguments.size(); ++i) {
        const std::string& assignment = args.arguments[i];
        const auto equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw std::invalid_argument("\"" + assignment + "\" is not Field=Value");
        }
        AssignField(document, sim, assignment.substr(0, equals), Utf8ToGameText(assignment.substr(equals + 1)),
                    installed, makeover);
    }
}

std::string quoted(const std::string& gameText) {
    return "\"" + GameTextToUtf8(gameText) + "\"";
}

// "FormalMesh \"a\" and FormalTexture \"b\": FormalTexture is not installed"
std::string clearedText(const ClearedSkin& skin) {
    std::vector<std::string> names;
    std::vector<std::string> causes;
    for (const auto& [field, name, installed] : {std::tuple(skin.meshField, skin.mesh, skin.meshInstalled),
                                                 std::tuple(skin.textureField, skin.texture, skin.textureInstalled)}) {
        if (!name.empty()) names.push_back(std::string(field) + " " + quoted(name));
        if (!installed) causes.push_back(std::string(field) + (name.empty() ? " names no skin" : " is not installed"));
    }
    auto joined = [](const std::vector<std::string>& parts, const char* between) {
        std::string text;
        for (const std::string& part : parts) text += (text.empty() ? "" : between) + part;
        return text;
    };
    return joined(names, " and ") + ": " + joined(causes, ", ");
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The skins the save writes as empty entries, since the game has them not.
std::vector<std::string> clearedSkins(const Sim& sim, int level, GameSkins& skins) {
    std::vector<std::string> texts;
    for (const ClearedSkin& skin : BuildBodyStrings(sim, level, skins.installed()).cleared) {
        texts.push_back(clearedText(skin));
    }
    return texts;
}

// What a save would write, without writing it: the same values update and
// body strings as the save's, for each character it would save.
void printPlannedWrites(const std::vector<Sim*>& saved, const std::filesystem::path& folder, GameSkins& skins,
                        std::ostream& out) {
    const int level = AppSettings().ExpansionLevel;
    std::vector<std::uint8_t> neighbourhood = ReadFileBytes(ResolveCaseInsensitive(folder, "neighborhood.iff"));
    const std::vector<std::uint8_t> before = neighbourhood;
    std::string step;
    for (const Sim* sim : saved) UpdateNeighborhoodValues(neighbourhood, *sim, level, step);
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) changed += before[i] != neighbourhood[i] ? 1 : 0;
    if (changed > 0) out << "would change " << counted(changed, "byte", "bytes") << " of neighborhood.iff\n";
    for (const Sim* sim : saved) {
        if (sim->LastNameChanged || sim->FamilyChanged) {
            out << "would rewrite the households and family names of neighborhood.iff\n";
            break;
        }
    }
    for (const Sim* sim : saved) {
        const std::string prefix = saved.size() == 1 ? "" : sim->FileName + ": ";
        for (const std::string& cleared : clearedSkins(*sim, level, skins)) out << prefix << "would clear " << cleared << "\n";
        out << "would rebuild Characters/" << sim->FileName << ".iff\n";
    }
}

// A makeover's new face: the pictures the save writes into the character
// file are drawn now. Without OpenGL the save leaves the old ones out and the
// game draws new ones itself.
bool drawPictures(const Sim& sim, GameSkins& skins) {
    try {
        CliDialogs dialogs(std::cerr);
        SurfacelessGlContext context;
        MakeCharacterImages(sim, skins.folders(), skins.catalogue(), dialogs, context.procLookup(), ApplicationFolder());
        return true;
    } catch (const std::exception& error) {
        if (!ToolChatter().messages) return false;
        std::cerr << "the new pictures of " << sim.FileName << " could not be drawn (" << error.what()
                  << "); the game draws them when it next shows the character\n";
        return false;
    }
}

// "…/neighborhood.iff: Neat of User00002 was changed by another program since it was read (now 500, set to 321); nothing was saved"
std::string conflictText(const ConflictOnDisk& c) {
    const auto value = [&](const std::string& v) { return c.conflict.isText ? quoted(v) : v; };
    std::string field = c.conflict.field;
    if (c.conflict.relationshipTarget != 0) {
        field += " toward " + std::to_string(c.conflict.relationshipTarget) + " (" + GameTextToUtf8(c.conflict.targetName) + ")";
    }
    return c.file.string() + ": " + field + " of " + c.record.FileName +
           " was changed by another program since it was read (now " + value(c.conflict.onDisk) + ", set to " +
           value(c.conflict.inEditor) + "); nothing was saved";
}

void save(CharacterList& list, const std::filesystem::path& folder, GameSkins& skins,
          SaveAdditions additions = {}) {
    const Settings& settings = AppSettings();
    CharacterSaveSettings saveSettings = SaveSettingsFor(settings, folder);
    saveSettings.additions = std::move(additions);
    CliDialogs dialogs(std::cerr, std::vector<MessageId>{kSaveQuestion});
    StderrProgress progress;
    std::vector<std::string> cleared;
    for (const Sim* sim : list.sims()) {
        if (!sim->Modified) continue;
        for (const std::string& text : clearedSkins(*sim, settings.ExpansionLevel, skins)) {
            cleared.push_back(sim->FileName + ": cleared " + text);
        }
    }
    // A value another program changed too is never overwritten, nor is the
    // command's own value dropped: the save is cancelled and says which.
    std::string conflict;
    CharacterSaveServices services{dialogs, progress, [&]() -> const SkinCatalogue& { return skins.catalogue(); },
                                   [&](const ConflictOnDisk& c) {
                                       if (conflict.empty()) conflict = conflictText(c);
                                       return ConflictAnswer::Cancel;
                                   }};
    SaveModifiedCharacters(list, saveSettings, services);
    if (!conflict.empty()) throw GameDataError(conflict);
    for (const Sim* sim : list.sims()) {
        if (sim->Modified) throw GameDataError("the save of " + sim->FileName + " did not finish (see above)");
    }
    if (ToolChatter().messages) {
        for (const std::string& text : cleared) std::cerr << text << "\n";
    }
}

// A makeover that found no installed head or body for the character leaves it bare.
void tellBareSlots(const Sim& sim, const std::vector<SkinSlot>& bareBefore) {
    if (!ToolChatter().messages) return;
    for (const SkinSlot slot : BareVisibleSlots(sim)) {
        if (std::find(bareBefore.begin(), bareBefore.end(), slot) != bareBefore.end()) continue;
        const char* part = slot == SkinSlot::Head ? "head" : "body";
        std::cerr << sim.FileName << ": no installed " << part << " fits the character, so its " << part
                  << " is empty and the character would be invisible in the game\n";
    }
}

}  // namespace

EditedRecords::EditedRecords(CharacterList& list, const Sim& edited) : list_(list), edited_(edited) {
    // Only what the edits change is saved, whatever the loading repaired in the others.
    for (Sim* other : list.sims()) other->Modified = false;
    before_.emplace_back(&edited, edited);
    for (const Sim* other : list.sims()) {
        if (other != &edited) before_.emplace_back(other, *other);
    }
}

std::vector<Sim*> EditedRecords::changed() {
    std::erase_if(before_, [](const auto& record) { return !RecordValuesDiffer(record.second, *record.first); });
    std::vector<Sim*> saved;
    for (Sim* character : list_.sims()) {
        const bool differs =
            std::any_of(before_.begin(), before_.end(), [&](const auto& r) { return r.first == character; });
        if (!differs) {
            // Set and set back: nothing of it to write.
            character->Modified = false;
            character->LastNameChanged = false;
            character->FamilyChanged = false;
        }
        if (character->Modified) saved.push_back(character);
    }
    return saved;
}

void EditedRecords::print(std::ostream& out) const {
    printChanges(edited_, before_, out);
}

void SaveEditedCharacters(CharacterList& list, const std::filesystem::path& folder, SaveAdditions additions) {
    CliDialogs skinMessages(std::cerr);
    GameSkins skins(skinMessages);
    save(list, folder, skins, std::move(additions));
}

void PrintPlannedSave(const std::vector<Sim*>& saved, const std::filesystem::path& folder, std::ostream& out) {
    CliDialogs skinMessages(std::cerr);
    GameSkins skins(skinMessages);
    printPlannedWrites(saved, folder, skins, out);
}

Sim& OpenCharacterToEdit(const CliArguments& args, const std::string& folderName, Document& document) {
    OpenDocument(folderName, document);
    Sim& sim = FindCharacter(document.characters(), RequiredArgument(args, 1, "a character file such as User00001"),
                             folderName);
    if (sim.isDamaged()) {
        throw GameDataError(LangStr(7010) + " : " + sim.Damage + " " + LangStr(7169));
    }
    return sim;
}

int RunSet(const CliArguments& args, std::ostream& out) {
    const std::string folderName = RequiredArgument(args, 0, "a neighbourhood folder, a character file and Field=Value");
    Document document(AppSettings().ExpansionLevel);
    Sim& sim = OpenCharacterToEdit(args, folderName, document);
    CharacterList& list = document.characters();
    EditedRecords records(list, sim);
    CliDialogs skinMessages(std::cerr);
    GameSkins skins(skinMessages);
    if (args.seed) document.seedRandom(*args.seed);
    const bool picturesWanted = sim.ResetThumbnail;
    const std::vector<SkinSlot> bareBefore = BareVisibleSlots(sim);
    assignAll(args, document, sim, skins);
    tellBareSlots(sim, bareBefore);
    const std::vector<Sim*> saved = records.changed();
    if (saved.empty()) {
        // Nothing to write, so no file and no backup copy is touched.
        out << "nothing to change\n";
        return 0;
    }
    records.print(out);
    const auto folder = NeighbourhoodFolder(folderName);
    if (args.dryRun) {
        printPlannedWrites(saved, folder, skins, out);
        return 0;
    }
    const bool drawn = sim.ResetThumbnail && !picturesWanted && drawPictures(sim, skins);
    try {
        save(list, folder, skins);
    } catch (...) {
        // Pictures of a makeover that was not saved must not reach a later save.
        std::error_code ignored;
        if (drawn) std::filesystem::remove(CharacterImageFile(ApplicationFolder(), sim.FileName), ignored);
        throw;
    }
    return 0;
}

}  // namespace corvane::cli
