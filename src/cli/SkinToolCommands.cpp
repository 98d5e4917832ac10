#include "cli/SkinToolCommands.h"

#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/CliSkins.h"
#include "cli/CommandLine.h"
#include "platform/AppFolder.h"
#include "platform/AsciiText.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ShellFileOps.h"
#include "platform/TrashingReplace.h"
#include "skins/CharacterFileCheck.h"
#include "skins/SlotPatterns.h"
#include "skintools/CmxBuilderSave.h"
#include "skintools/ExportNames.h"
#include "skintools/ImportBitmapCheck.h"
#include "skintools/ImportNames.h"
#include "skintools/SkinExport.h"
#include "skintools/SkinSeries.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/TextureImport.h"

#include <iostream>
#include <random>
#include <stdexcept>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

// The words of a list's positions, in position order; the second spelling is
// the code the skin names carry.
struct ChoiceWord {
    std::string_view word;
    std::string_view code;
};

struct ChoiceOption {
    const char* option;
    std::optional<std::string> CliArguments::*value;
    std::vector<ChoiceWord> words;
};

const ChoiceOption kGenderOption{"--gender", &CliArguments::gender, {{"male", "m"}, {"female", "f"}, {"unisex", "u"}}};
const ChoiceOption kAgeOption{"--age", &CliArguments::age, {{"adult", "a"}, {"child", "c"}}};
const ChoiceOption kSizeOption{"--size", &CliArguments::size,
                               {{"skinny", "skn"}, {"fit", "fit"}, {"fat", "fat"}, {"teen", "tnr"}}};
const ChoiceOption kToneOption{"--tone", &CliArguments::tone, {{"light", "lgt"}, {"medium", "med"}, {"dark", "drk"}}};
const ChoiceOption kHandOption{"--hand", &CliArguments::hand, {{"left", "l"}, {"right", "r"}}};
const ChoiceOption kHandTypeOption{"--hand-type", &CliArguments::handType,
                                   {{"open", "o"}, {"closed", "c"}, {"pointing", "p"}, {"formal", "f"}}};

// --series as the page's field takes it: one to three digits.
std::string seriesOption(const std::string& given) {
    if (given.empty() || given.size() > 3 || given.find_first_not_of("0123456789") != std::string::npos) {
        throw std::invalid_argument("--series wants one to three digits, not \"" + given + "\"");
    }
    return given;
}

// The position the option names; `fallback` (the list's default) when it is not given.
int positionOf(const CliArguments& args, const ChoiceOption& option, int fallback) {
    const std::optional<std::string>& value = args.*option.value;
    if (!value) return fallback;
    std::string known;
    for (std::size_t i = 0; i < option.words.size(); ++i) {
        const ChoiceWord& word = option.words[i];
        if (EqualsIgnoreCase(*value, word.word) || EqualsIgnoreCase(*value, word.code)) return static_cast<int>(i);
        known += (i == 0 ? "" : ", ") + std::string(word.word);
    }
    throw std::invalid_argument(std::string(option.option) + " wants " + known + ", not \"" + *value + "\"");
}

struct KindWord {
    std::string_view word;
    SkinKind kind;
};

constexpr KindWord kKindWords[] = {
    {"head", SkinKind::Head},       {"hands", SkinKind::Hands},     {"body", SkinKind::Body},
    {"formal", SkinKind::Formal},   {"winter", SkinKind::Winter},   {"swim", SkinKind::Swim},
    {"pajamas", SkinKind::Pajamas}, {"nude", SkinKind::Nude},       {"fashion", SkinKind::Fashion},
    {"dog", SkinKind::Dog},         {"cat", SkinKind::Cat},
};

std::string_view wordOf(SkinKind kind) {
    for (const KindWord& word : kKindWords) {
        if (word.kind == kind) return word.word;
    }
    return {};
}

// The kind --type names, among those the page offers in this game.
SkinKind kindOf(const CliArguments& args, const std::vector<SkinKindItem>& offered) {
    std::string words;
    for (const SkinKindItem& item : offered) words += (words.empty() ? "" : ", ") + std::string(wordOf(item.kind));
    if (!args.skinType) throw std::invalid_argument(args.command + " needs --type (" + words + ")");
    for (const KindWord& word : kKindWords) {
        if (!EqualsIgnoreCase(*args.skinType, word.word)) continue;
        for (const SkinKindItem& item : offered) {
            if (item.kind == word.kind) return word.kind;
        }
        throw GameDataError(args.command + " --type " + std::string(word.word) + ": this game (expansion level " +
                            std::to_string(AppSettings().ExpansionLevel) + ") offers " + words);
    }
    throw std::invalid_argument("--type wants " + words + ", not \"" + *args.skinType + "\"");
}

SkinToolSettings toolSettings(const CliArguments& args) {
    SkinToolSettings settings;
    settings.expansionLevel = AppSettings().ExpansionLevel;
    settings.hasExpansionPack5 = IsFolder(ResolveCaseInsensitive(AppSettings().GamePath, "ExpansionPack5"));
    // The editor offers "Teen" only with its "/teens" switch; here asking for it is the switch.
    settings.teens = positionOf(args, kSizeOption, 1) == 3;
    return settings;
}

// The export page's rule: a pet's skin stays that pet's kind (and needs no
// --type), a person's stays a person's.
SkinKind exportKindOf(const CliArguments& args, const std::string& mesh, const SkinToolSettings& settings) {
    const SkinKind source = ExportSourceKind(mesh);
    const std::vector<SkinKindItem> kinds = ExportDestinationKinds(settings, source);
    if (IsPet(source) && !args.skinType && kinds.size() == 1) return source;
    const SkinKind wanted = kindOf(args, ExportSkinKinds(settings));
    for (const SkinKindItem& item : kinds) {
        if (item.kind == wanted) return wanted;
    }
    std::string words;
    for (const SkinKindItem& item : kinds) words += (words.empty() ? "" : ", ") + std::string(wordOf(item.kind));
    throw GameDataError(args.command + " --type " + std::string(wordOf(wanted)) + ": " + GameTextToUtf8(mesh) +
                        ".cmx is " + (IsPet(source) ? "a " + PetKindWord(source) + "'s skin" : "a person's skin") +
                        ", and it stays " + (IsPet(source) ? "a " + PetKindWord(source) + "'s" : "a person's") +
                        " (" + words + ")");
}

SkinChoices choicesOf(const CliArguments& args, SkinKind kind) {
    SkinChoices choices;
    choices.kind = kind;
    choices.gender = positionOf(args, kGenderOption, 0);
    choices.age = positionOf(args, kAgeOption, 0);
    choices.bodySize = positionOf(args, kSizeOption, 1);
    choices.skinColor = positionOf(args, kToneOption, 1);
    choices.hand = positionOf(args, kHandOption, 0);
    choices.handType = positionOf(args, kHandTypeOption, 0);
    return choices;
}

// Options the page hides for these choices are refused rather than ignored.
void refuseHidden(const CliArguments& args, const ShownLists& shown, const SkinChoices& choices, bool hasSeries,
                  bool hasTone) {
    const std::string kind(wordOf(choices.kind));
    const auto refuse = [&](const char* option, bool given, bool applies) {
        if (given && !applies) {
            throw std::invalid_argument(std::string(option) + " does not apply to --type " + kind +
                                        (choices.age != 0 && option == std::string("--size") ? " for a child" : ""));
        }
    };
    refuse("--gender", args.gender.has_value(), shown.gender);
    refuse("--age", args.age.has_value(), shown.age);
    refuse("--size", args.size.has_value(), shown.bodySize);
    refuse("--tone", args.tone.has_value(), hasTone && shown.skinColor);
    refuse("--hand", args.hand.has_value(), shown.hands);
    refuse("--hand-type", args.handType.has_value(), shown.hands);
    refuse("--series", args.series.has_value(), hasSeries && shown.series);
    refuse("--name", args.skinName.has_value(), shown.name);
    if (args.gender && positionOf(args, kGenderOption, 0) == 2 && shown.genderItems < 3) {
        throw std::invalid_argument("--gender unisex does not apply to --type " + kind);
    }
}

// The typed name as the name field keeps it; refused when the filter would change it.
std::string nameOf(const CliArguments& args, bool required) {
    if (!args.skinName) {
        if (required) throw std::invalid_argument(args.command + " needs --name");
        return {};
    }
    const FilteredName filtered = FilterSkinName(Utf8ToGameText(*args.skinName));
    if (filtered.changed) {
        throw std::invalid_argument("--name \"" + *args.skinName + "\": " + NameNotAllowedText());
    }
    return filtered.text;
}

std::string withoutExtension(std::string name, std::string_view extension) {
    if (name.size() > extension.size() && EqualsIgnoreCase(name.substr(name.size() - extension.size()), extension)) {
        name.resize(name.size() - extension.size());
    }
    return name;
}

std::string quotedPaths(const std::vector<fs::path>& files) {
    std::string text;
    for (const fs::path& file : files) text += (text.empty() ? "" : ", ") + QuotedPath(file);
    return text;
}

void refuseUnasked(const CliArguments& args, const std::vector<fs::path>& installed, const std::string& fileName) {
    if (!installed.empty() && !args.replace) {
        throw GameDataError(fileName + " is installed: " + quotedPaths(installed) + "; " + args.command +
                            " --replace replaces " + (installed.size() == 1 ? "it (the old file goes" : "them (the old files go") +
                            " to the Trash)");
    }
}

void tellWouldTrash(std::ostream& out, const std::vector<fs::path>& installed) {
    for (const fs::path& file : installed) out << "would move to the Trash " << file.string() << "\n";
}

void tellTrashed(std::ostream& out, const std::vector<fs::path>& trashed) {
    for (const fs::path& file : trashed) out << "the file it replaced is in the Trash: " << QuotedPath(file) << "\n";
}

void refuseBitmap(const ImportBitmapCheck& check, const fs::path& file) {
    switch (check.verdict) {
        case ImportBitmapVerdict::Accepted:
            return;
        case ImportBitmapVerdict::NotABitmap:
            throw GameDataError(QuotedPath(file) + ": not a bitmap file (*.bmp) that exists");
        case ImportBitmapVerdict::Unreadable:
            throw GameDataError(check.cause);
        case ImportBitmapVerdict::WrongDimensions:
            throw GameDataError(QuotedPath(file) + " is " + std::to_string(check.width) + " X " +
                                std::to_string(check.height) +
                                " pixels: a texture's sides must each be 2, 4, 8, ... or 1024 pixels");
        case ImportBitmapVerdict::TooLarge:
            throw GameDataError(QuotedPath(file) + " is a " + std::to_string(check.depth) +
                                "-bit bitmap larger than an 8-bit one of its size: the game needs 8-bit "
                                "(256-colour) textures; convert it first");
    }
}

// The character file the texture is imported for: --mesh among those that
// fit, else the only one that fits.
std::string importMesh(const CliArguments& args, const SkinList& list, const std::string& mask) {
    std::string names;
    for (const std::string& entry : list.entries) names += (names.empty() ? "" : ", ") + GameTextToUtf8(entry);
    if (args.mesh) {
        const std::string wanted = withoutExtension(Utf8ToGameText(*args.mesh), ".cmx");
        for (const std::string& entry : list.entries) {
            if (EqualsIgnoreCase(entry, wanted)) return entry;
        }
        throw GameDataError("--mesh " + *args.mesh + " is not among the character files for these choices (" +
                            (names.empty() ? std::string("none") : names) + ")");
    }
    if (list.entries.size() == 1) return list.entries.front();
    if (list.entries.empty()) {
        throw GameDataError("no installed character file fits these choices (" + ImportListingMask(mask) + ")");
    }
    throw std::invalid_argument("several character files fit these choices (" + names + "); name one with --mesh");
}

}  // namespace

int RunImportTexture(const CliArguments& args, std::ostream& out) {
    const fs::path bitmap = RequiredArgument(args, 0, "the bitmap to import");
    const SkinToolSettings settings = toolSettings(args);
    SkinChoices choices = choicesOf(args, kindOf(args, ImportSkinKinds(settings)));
    // The older pajama and nude names come from the current character, which the command has not.
    const SkinCodes nobody;
    const ImportMask mask = ImportMeshMask(choices, settings, nobody);
    refuseHidden(args, mask.shown, choices, false, true);
    const std::string name = nameOf(args, true);
    if (!ImportTextureName(choices, settings, nobody, "", name).nameShown) {
        throw GameDataError("this game's " + std::string(wordOf(choices.kind)) +
                            " textures of these choices are named after a character's body texture; import them on "
                            "the editor's import page");
    }
    refuseBitmap(CheckImportBitmap(bitmap), bitmap);

    const SkinFolders folders = GameSkinFolders();
    const SkinSources sources{folders, BuiltSkinCatalogue()};
    CliDialogs listing(std::cerr);  // says which character files the check refuses
    std::mt19937 random;
    const std::string mesh = importMesh(args, ImportMeshList(sources, mask, choices.kind, name, random, &listing),
                                        mask.mask);
    const TextureImportRequest request{bitmap, mesh, ImportTextureName(choices, settings, nobody, mesh, name).fileName, {}};
    const TextureImportPlan plan = PlanTextureImport(request, folders, GameSkinsFolder());
    refuseUnasked(args, plan.installed, request.textureFileName);
    if (args.dryRun) {
        tellWouldTrash(out, plan.installed);
        out << "would write " << plan.target.string() << "\n";
        return kExitOk;
    }
    // The replace question was settled above; the bitmap the user named stays where it is.
    CliDialogs dialogs(std::cerr, {ReplaceQuestionText(request.textureFileName, plan, folders.gamePath()),
                                   ImportConfirmationText(request.textureFileName, mesh)});
    const TextureImportResult result = ImportTexture(request, folders, GameSkinsFolder(), dialogs);
    if (result.outcome != ImportOutcome::Imported) return kExitFailed;
    out << "wrote " << result.written.string() << "\n";
    tellTrashed(out, result.replaced);
    return kExitOk;
}

int RunExportSkin(const CliArguments& args, std::ostream& out) {
    const std::string mesh = withoutExtension(Utf8ToGameText(RequiredArgument(args, 0, "MESH and TEXTURE")), ".cmx");
    const std::string texture = withoutExtension(Utf8ToGameText(RequiredArgument(args, 1, "TEXTURE")), ".bmp");
    const SkinToolSettings settings = toolSettings(args);
    SkinChoices destination = choicesOf(args, exportKindOf(args, mesh, settings));
    // The new skin keeps the mesh's series unless told otherwise; nudes carry none.
    const std::string series = args.series ? seriesOption(*args.series)
                               : destination.kind == SkinKind::Nude ? std::string("000")
                                                                    : SeriesOf(mesh);
    ExportFileNames names = ExportNames(destination, series, "", settings);
    refuseHidden(args, names.shown, destination, true, true);
    names = ExportNames(destination, series, nameOf(args, names.shown.name), settings);

    const SkinFolders folders = GameSkinFolders();
    SkinCatalogue& catalogue = BuiltSkinCatalogue();
    const SkinExportRequest request{mesh, texture, names.characterFile, names.textureFile};
    const SkinExportPlan plan = PlanSkinExport(request, folders, catalogue, GameSkinsFolder());
    if (!plan.characterSource.found()) {
        throw GameDataError(GameTextToUtf8(mesh) + ".cmx is neither a loose file nor an archive entry");
    }
    if (!plan.textureSource.found()) {
        throw GameDataError(GameTextToUtf8(texture) + ".bmp is neither a loose file nor an archive entry");
    }
    refuseUnasked(args, plan.character.installed, request.characterFile);
    refuseUnasked(args, plan.texture.installed, request.textureFile);
    if (args.dryRun) {
        const auto from = [](const ExportSource& source) {
            return source.file.empty() ? "converted from " + source.archiveEntry + " in " + source.archive.string()
                                       : "from " + source.file.string();
        };
        tellWouldTrash(out, plan.character.installed);
        tellWouldTrash(out, plan.texture.installed);
        out << "would write " << plan.character.target.string() << " (" << from(plan.characterSource) << ")\n";
        out << "would write " << plan.texture.target.string() << " ("
            << (plan.textureSource.file.empty() ? "copied from " + plan.textureSource.archiveEntry + " in " +
                                                      plan.textureSource.archive.string()
                                                : "copied from " + plan.textureSource.file.string())
            << ")\n";
        return kExitOk;
    }
    CliDialogs dialogs(std::cerr, {ReplaceQuestionText(request.characterFile, plan.character, folders.gamePath()),
                                   ReplaceQuestionText(request.textureFile, plan.texture, folders.gamePath())});
    const SkinExportResult result = ExportSkin(request, folders, catalogue, GameSkinsFolder(), dialogs);
    for (const fs::path& written : {result.characterWritten, result.textureWritten}) {
        if (!written.empty()) out << "wrote " << written.string() << "\n";
    }
    tellTrashed(out, result.trashed);
    return result.outcome == ExportOutcome::Exported ? kExitOk : kExitFailed;
}

int RunBuildCmx(const CliArguments& args, std::ostream& out) {
    const fs::path named = RequiredArgument(args, 0, "OUT and at least one MESH.skn");
    RequiredArgument(args, 1, "at least one MESH.skn");
    SkinChoices choices = choicesOf(args, kindOf(args, BuilderSkinKinds()));
    const bool teens = choices.bodySize == 3;
    const std::string seriesField = args.series ? seriesOption(*args.series) : std::string("000");
    BuilderSuitName suit = CmxSuitName(choices, seriesField, "", teens);
    refuseHidden(args, suit.shown, choices, true, false);
    suit = CmxSuitName(choices, seriesField, nameOf(args, false), teens);
    const std::string fileName = suit.suitName + ".cmx";

    fs::path folder = named;
    if (!IsFolder(named)) {
        if (!EqualsIgnoreCase(named.extension().string(), ".cmx")) {
            throw std::invalid_argument("OUT " + named.string() + " is neither a folder nor a .cmx file");
        }
        if (!EqualsIgnoreCase(named.filename().string(), fileName)) {
            throw std::invalid_argument("OUT " + named.string() + ": these choices name the file " + fileName);
        }
        folder = named.has_parent_path() ? named.parent_path() : fs::path(".");
    }
    CMXBuilderList meshes;
    for (std::size_t i = 1; i < args.arguments.size(); ++i) {
        const fs::path mesh = args.arguments[i];
        if (!EqualsIgnoreCase(mesh.extension().string(), ".skn")) {
            throw std::invalid_argument(mesh.string() + " is not a mesh file (*.skn)");
        }
        try {
            meshes.push_back(ReadSknRecord(mesh));
        } catch (const std::exception& error) {
            throw GameDataError(error.what());
        }
    }
    const std::vector<std::string> lines = CmxBuilderLines(suit.suitName, meshes);
    const SkinFolders folders = GameSkinFolders();
    SkinCatalogue& catalogue = BuiltSkinCatalogue();
    const fs::path target = folder / fileName;
    RefuseNonFilePlace(target);
    const fs::path existing = ExistingCharacterFile(suit.suitName, target, folders, catalogue);
    refuseUnasked(args, existing.empty() ? std::vector<fs::path>{} : std::vector<fs::path>{existing}, fileName);
    if (args.dryRun) {
        const CharacterFileFindings findings = AnalyseCharacterFile(lines, suit.suitName, KnownMeshes(catalogue));
        if (!findings.missingMesh.empty()) {
            throw GameDataError(fileName + " would name the mesh " + findings.missingMesh +
                                ", which the game does not have");
        }
        if (!existing.empty()) out << "would save over " << existing.string() << "\n";
        out << "would write " << target.string() << "\n";
        return kExitOk;
    }
    CliDialogs dialogs(std::cerr, SaveOverQuestionText(suit.suitName, existing));
    const CmxSaveResult result =
        SaveBuiltCharacterFile(lines, meshes, ApplicationFolder(), folder,
                               [&](const fs::path&) { return std::optional<fs::path>(folder); }, folders, catalogue,
                               dialogs);
    if (result.outcome != CmxSaveOutcome::Saved) return kExitFailed;
    out << "wrote " << result.target.string() << "\n";
    if (!result.trashed.empty()) tellTrashed(out, {result.trashed});
    return kExitOk;
}

}  // namespace corvane::cli
