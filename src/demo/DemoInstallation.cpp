#include "demo/DemoInstallation.h"

#include "demo/CharacterFileWriter.h"
#include "demo/DemoWardrobe.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "demo/WornSkins.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/Progress.h"
#include "platform/SilentDialogs.h"
#include "platform/Trash.h"
#include "render/CharacterImages.h"
#include "render/SurfacelessGlContext.h"
#include "skins/SkinCatalogueBuilder.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {

namespace {

constexpr int kDemoExpansionLevel = 7;
// Written last, so a demo that was cut short is built again; raised when the demo changes.
constexpr const char* kDemoMarker = "CorvaneDemo.version";
constexpr const char* kDemoVersion = "6";

std::string readMarker(const std::filesystem::path& marker) {
    std::ifstream in(marker);
    std::string version;
    std::getline(in, version);
    return version;
}

struct DemoCharacter {
    const char* file;
    std::int32_t id;
    const char* first;
    const char* ageGroup;
    int gender;
    std::uint16_t family;
    const char* everydayBody;  // in place of the standard man's or boy's body; nullptr keeps it
};

constexpr DemoCharacter kDemoCharacters[] = {
    {"User00001", 1, "Victor", "adult", 0, 1, nullptr},
    {"User00002", 2, "Elena", "adult", 1, 1, "b001fafat_01,BODY=b001fafatlgt_casual"},
    {"User00003", 3, "Tess", "child", 1, 1, "b001fcchd_01,BODY=b001fcchdlgt_casual"},
    {"User00004", 4, "Jonah", "child", 0, 1, nullptr},
    {"User00005", 5, "Iris", "adult", 1, 2, "b001fafat_01,BODY=b001fafatlgt_summer"},
    {"User00006", 6, "Biscuit", "dog", 2, 1, "b001dog_01,BODY=b001dog_brown"},
    {"User00007", 7, "Pepper", "kat", 5, 1, "b001cat_01,BODY=b001cat_tabby"},
};

// The standard body strings, with women, girls and animals in bodies of their own.
std::vector<std::string> demoBodyStrings(const DemoCharacter& c, int level) {
    std::vector<std::string> strings = StandardBodyStrings(c.ageGroup, level, c.gender == 1 ? "fat" : "fit");
    if (c.everydayBody != nullptr) strings[1] = c.everydayBody;
    return strings;
}

std::uint32_t demoGuid(std::int32_t id) {
    return 0x5D000000u + static_cast<std::uint32_t>(id);
}

std::string characterFile(const CharacterFileSpec& character) {
    return "UserData\\Characters\\" + character.fileName + ".iff";
}

// The Marlows (two adults, two children, a dog and a cat) and their neighbour
// Iris, who lives alone; friends and family like each other. Returns what
// their character files were written from.
std::vector<CharacterFileSpec> writeDemoNeighbourhood(GameBuilder& game, int level,
                                                      const std::set<std::string>& archivedSkins) {
    std::vector<CharacterFileSpec> written;
    NeighbourhoodFileSpec neighbourhood;
    neighbourhood.version = NeighbourhoodVersionFor(level);
    FamilySpec marlows{1, "Marlow", 3, 24000, 61000, {}};
    FamilySpec vale{2, "Vale", 7, 9000, 18000, {}};
    for (const DemoCharacter& c : kDemoCharacters) {
        CharacterFileSpec character;
        character.fileName = c.file;
        character.guid = demoGuid(c.id);
        character.names = {{1, {c.first, std::string(c.first) + " lives in the demo neighborhood."}}};
        if (c.id == 1) {
            // A name of his own in French (language 3), in the game's code page 1252.
            character.names[3] = {"\xC9tienne", "\xC9tienne habite le quartier de d\xE9monstration."};
        }
        character.bodyStrings = demoBodyStrings(c, level);
        WriteWornSkins(game, character.bodyStrings, archivedSkins);
        game.writeFile(characterFile(character), MakeCharacterFile(character));
        written.push_back(character);

        NeighbourSpec neighbour;
        neighbour.fileName = c.file;
        neighbour.neighbourId = c.id;
        neighbour.guid = demoGuid(c.id);
        neighbour.recordVersion = NeighbourRecordVersionFor(level);
        const bool child = std::string(c.ageGroup) == "child";
        neighbour.personData = {{2, 700}, {3, 400}, {5, 650}, {6, 300}, {7, 900}, {9, 250}, {10, 500},
                                {58, static_cast<std::uint16_t>(child ? 9 : 27)}, {60, 1},
                                {61, c.family}, {65, static_cast<std::uint16_t>(c.gender)},
                                {56, static_cast<std::uint16_t>(child ? 0xFFFF : 3)}};
        for (const DemoCharacter& other : kDemoCharacters) {
            if (other.id != c.id && other.id <= 5 && c.id <= 5) {
                neighbour.relationships.push_back({other.id, {other.family == c.family ? 80 : 35, 0, 60, 0}});
            }
        }
        neighbourhood.neighbours.push_back(neighbour);
        (c.family == 1 ? marlows : vale).members.push_back(demoGuid(c.id));
    }
    neighbourhood.families = {marlows, vale};
    game.writeFile("UserData\\neighborhood.iff", MakeNeighbourhoodFile(neighbourhood));
    return written;
}

// Each character's own pictures in place of the placeholders, drawn as the
// editor draws them, so the character list shows their portraits. Without
// OpenGL, or for a character that cannot be drawn, the placeholders stay.
// `scratch` stands in for the editor's own folder (stale images, poses).
void drawDemoPortraits(GameBuilder& game, int level, std::vector<CharacterFileSpec>& characters,
                       const std::filesystem::path& scratch) {
    std::optional<SurfacelessGlContext> context;
    try {
        context.emplace();
    } catch (const std::runtime_error&) {
        return;
    }
    SilentDialogs dialogs;
    SilentProgress progress;
    NeighbourhoodLoadSettings load;
    load.folder = game.root() / "UserData";
    load.expansionLevel = level;
    load.hasFameFolders = level >= 6;
    load.applicationFolder = scratch;
    const OpenedNeighbourhood opened = OpenNeighbourhood(load, dialogs, progress);
    const SkinFolders folders(game.root(), level);
    SkinCatalogue catalogue;
    LoadSkinData(catalogue, folders, progress);
    for (const auto& sim : opened.characters) {
        const auto spec = std::find_if(characters.begin(), characters.end(),
                                       [&](const CharacterFileSpec& c) { return c.fileName == sim->FileName; });
        if (spec == characters.end()) continue;
        try {
            spec->images = CharacterImageChunks(
                DrawCharacterImages(*sim, folders, catalogue, dialogs, context->procLookup(), scratch));
        } catch (const std::exception&) {
            continue;
        }
        game.writeFile(characterFile(*spec), MakeCharacterFile(*spec));
    }
}

}  // namespace

std::filesystem::path EnsureDemoInstallation(const std::filesystem::path& folder, DemoPortraits portraits) {
    const std::filesystem::path game = folder / "The Sims";
    const std::filesystem::path marker = game / kDemoMarker;
    if (std::filesystem::exists(game / "Sims.exe")) {
        if (readMarker(marker) == kDemoVersion) {
            return game;
        }
        // An older demo: it goes to the Trash, so changes made to it stay restorable.
        MoveToTrash(game);
    }
    GameBuilder builder(game);
    builder.installation(kDemoExpansionLevel);
    for (const char* neighbourhood : {"UserData", "UserData2", "UserData3"}) {
        builder.neighbourhood(neighbourhood);
    }
    const std::set<std::string> archivedSkins = WriteDemoWardrobe(builder);
    std::vector<CharacterFileSpec> characters = writeDemoNeighbourhood(builder, kDemoExpansionLevel, archivedSkins);
    if (portraits == DemoPortraits::Drawn) drawDemoPortraits(builder, kDemoExpansionLevel, characters, folder);
    builder.writeText(kDemoMarker, kDemoVersion);
    return game;
}

}  // namespace corvane
