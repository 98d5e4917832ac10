#include "cli/SkinCommands.h"

#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/CliSkins.h"
#include "cli/JsonWriter.h"
#include "platform/AsciiText.h"
#include "skins/ArchiveSkinLookup.h"
#include "skins/SkinListing.h"
#include "skins/SkinText.h"

#include <iostream>
#include <random>
#include <stdexcept>

namespace corvane::cli {

namespace {

// The command's one argument, less the extension when it was given.
std::string skinName(const CliArguments& args, const std::string& extension) {
    if (args.arguments.size() != 1) {
        throw std::invalid_argument(args.command + " takes one skin name");
    }
    std::string name = args.arguments.front();
    if (name.size() > extension.size() &&
        ToLowerAscii(name.substr(name.size() - extension.size())) == extension) {
        name.resize(name.size() - extension.size());
    }
    return name;
}

int printSkinLines(const CliArguments& args, std::ostream& out, const std::string& extension, ArchivedSkinLines lookup) {
    const std::string name = skinName(args, extension);
    const SkinFolders folders = GameSkinFolders();
    // The archives are catalogued only when no loose file answers.
    const bool loose = !folders.FindSkinFile(name, extension).empty();
    const SkinCatalogue noArchives;
    std::string fault;
    const auto text = ReadSkinText(folders, loose ? noArchives : BuiltSkinCatalogue(), name, extension, lookup, &fault);
    if (!fault.empty()) {
        throw GameDataError(name + extension + ": " + fault);
    }
    if (!text || text->lines.empty()) {
        throw GameDataError(name + extension + " is neither a loose file nor an entry of the game's archives");
    }
    for (const std::string& line : text->lines) {
        out << line << "\n";
    }
    return 0;
}

// A skin slot as the command line names it, and the character's fields for it.
struct SlotWord {
    std::string_view word;
    SkinSlot slot;
    std::string Sim::*mesh;
    std::string Sim::*texture;
};

const SlotWord kSlotWords[] = {
    {"body", SkinSlot::Body, &Sim::BodyMesh, &Sim::BodyTexture},
    {"head", SkinSlot::Head, &Sim::HeadMesh, &Sim::HeadTexture},
    {"formal", SkinSlot::Formal, &Sim::FormalMesh, &Sim::FormalTexture},
    {"fashion", SkinSlot::Fashion, &Sim::FashionMesh, &Sim::FashionTexture},
    {"winter", SkinSlot::Winter, &Sim::WinterMesh, &Sim::WinterTexture},
    {"swim", SkinSlot::Swim, &Sim::SwimMesh, &Sim::SwimTexture},
    {"pajamas", SkinSlot::Sleepwear, &Sim::PajamaMesh, &Sim::PajamaTexture},
    {"nude", SkinSlot::Nude, &Sim::NudeMesh, &Sim::NudeTexture},
    {"formal-left", SkinSlot::FormalHandLeft, &Sim::FormalLHandMesh, &Sim::FormalLHandTexture},
    {"formal-right", SkinSlot::FormalHandRight, &Sim::FormalRHandMesh, &Sim::FormalRHandTexture},
    {"open-left", SkinSlot::OpenHandLeft, &Sim::OpenLHandMesh, &Sim::OpenLHandTexture},
    {"open-right", SkinSlot::OpenHandRight, &Sim::OpenRHandMesh, &Sim::OpenRHandTexture},
    {"pointing-left", SkinSlot::PointingHandLeft, &Sim::PointingLHandMesh, &Sim::PointingLHandTexture},
    {"pointing-right", SkinSlot::PointingHandRight, &Sim::PointingRHandMesh, &Sim::PointingRHandTexture},
    {"closed-left", SkinSlot::ClosedHandLeft, &Sim::CloseLHandMesh, &Sim::CloseLHandTexture},
    {"closed-right", SkinSlot::ClosedHandRight, &Sim::CloseRHandMesh, &Sim::CloseRHandTexture},
};

const SlotWord& slotNamed(const std::string& word) {
    std::string known;
    for (const SlotWord& slot : kSlotWords) {
        if (slot.word == ToLowerAscii(word)) return slot;
        known += (known.empty() ? "" : ", ") + std::string(slot.word);
    }
    throw std::invalid_argument("unknown skin slot " + word + " (" + known + ")");
}

bool isHand(SkinSlot slot) {
    return slot >= SkinSlot::OpenHandLeft;
}

// The seed of the random mesh a page selects for an uninstalled stored mesh,
// unless --seed gives one: the same command prints the same list.
constexpr std::uint32_t kFixedSeed = 5489;

void printSkinList(const CliArguments& args, const SlotWord& slot, const std::optional<std::string>& mesh,
                   const SkinList& list, std::ostream& out) {
    if (!args.json) {
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            out << GameTextToUtf8(list.entries[i]) << (static_cast<int>(i) == list.selected ? "\t*\n" : "\n");
        }
        return;
    }
    std::vector<std::string> entries;
    for (const std::string& entry : list.entries) entries.push_back(JsonString(GameTextToUtf8(entry)));
    out << JsonObject()
               .text("slot", slot.word)
               .json("mesh", mesh ? JsonString(GameTextToUtf8(*mesh)) : std::string("null"))
               .json("entries", JsonArray(entries, 4))
               .number("selected", list.selected)
               .block(2)
        << "\n";
}

}  // namespace

int RunSkins(const CliArguments& args, std::ostream& out) {
    const std::string folderName = RequiredArgument(args, 0, "a neighbourhood, a character file and a skin slot");
    const std::string file = RequiredArgument(args, 1, "a character file such as User00001 and a skin slot");
    const SlotWord& slot = slotNamed(RequiredArgument(args, 2, "a skin slot such as body"));
    const CharacterList characters = OpenCharacterList(folderName);
    const Sim& sim = FindCharacter(characters, file, folderName);

    const int level = AppSettings().ExpansionLevel;
    const SkinFolders folders = GameSkinFolders();
    const SkinSources sources{folders, BuiltSkinCatalogue()};
    const SkinCodes codes = SkinCodesOf(sim, level);
    SkinList list;
    std::optional<std::string> mesh;
    if (args.mesh) {
        mesh = Utf8ToGameText(*args.mesh);
        if (mesh->size() > 4 && ToLowerAscii(mesh->substr(mesh->size() - 4)) == ".cmx") mesh->resize(mesh->size() - 4);
        const TextureOwner owner{sim.Gender == 0 ? 0 : 1, SkinToneFor(sim.SkinColor)};
        list = PageTextureList(sources, slot.slot, codes, *mesh, sim.*slot.texture, owner);
    } else {
        std::mt19937 random(args.seed.value_or(kFixedSeed));
        CliDialogs dialogs(std::cerr);
        list = FillMeshList(sources, sim.*slot.mesh + ".cmx", MeshMask(slot.slot, codes), isHand(slot.slot) ? 4 : 6,
                            random, &dialogs);
    }
    printSkinList(args, slot, mesh, list, out);
    return 0;
}

int RunCmx(const CliArguments& args, std::ostream& out) {
    return printSkinLines(args, out, ".cmx", SuitFromArchive);
}

int RunSkn(const CliArguments& args, std::ostream& out) {
    return printSkinLines(args, out, ".skn", ReadArchivedSKN);
}

int RunSkeleton(const CliArguments& args, std::ostream& out) {
    return printSkinLines(args, out, ".cmx", SkeletonFromArchive);
}

int RunCatalogue(const CliArguments&, std::ostream& out) {
    const SkinCatalogue& catalogue = BuiltSkinCatalogue();
    out << "ArchiveMeshEntries\t" << catalogue.ArchiveMeshEntries->size() << "\n";
    out << "SknFileList\t" << catalogue.SknFileList->size() << "\n";
    out << "ArchiveCharacterEntries\t" << catalogue.ArchiveCharacterEntries->size() << "\n";
    out << "ArchiveTextureEntries\t" << catalogue.ArchiveTextureEntries->size() << "\n";
    return 0;
}

}  // namespace corvane::cli
