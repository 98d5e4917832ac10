#include "cli/ProfileCommands.h"

#include "app/Settings.h"
#include "cli/CliDialogs.h"
#include "cli/CliSkins.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/JsonWriter.h"
#include "cli/PlainText.h"
#include "cli/SetCommand.h"
#include "platform/AppFolder.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "profiles/ProfileExport.h"
#include "profiles/ProfileFormat.h"
#include "profiles/ProfileImport.h"
#include "skins/SkinCatalogue.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <iostream>

namespace corvane::cli {

namespace {

int gameCodePage() {
    return CodePageForLanguage(AppSettings().LanguageNumber);
}

std::vector<std::string> offeredNames(const Profile& profile) {
    std::vector<std::string> names;
    for (const ProfilePreviewItem& item : ProfilePreviewItems(profile)) names.push_back(item.fileName);
    return names;
}

void printRefused(const std::vector<RefusedProfileFile>& refused, std::ostream& out) {
    for (const RefusedProfileFile& file : refused) {
        out << "refused \"" << PlainText(file.fileName) << "\": " << PlainText(file.reason) << "\n";
    }
}

// A profile's own texts quoted in its refusal never reach the terminal as they are.
template <typename Work>
auto profileStep(Work&& work) {
    try {
        return work();
    } catch (const ProfileError& error) {
        throw GameDataError(PlainText(error.what()));
    }
}

Profile readProfile(const std::string& file) {
    return profileStep([&] { return ReadProfile(file); });
}

const char* actionWord(ProfileInstallStep::Action action, bool planned) {
    switch (action) {
        case ProfileInstallStep::Action::Install: return planned ? "would install " : "installed ";
        case ProfileInstallStep::Action::Replace: return planned ? "would replace " : "replaced ";
        case ProfileInstallStep::Action::Keep: return planned ? "would keep " : "kept ";
    }
    return "";
}

}  // namespace

int RunExportProfile(const CliArguments& args, std::ostream& out) {
    const std::string folderName = RequiredArgument(args, 0, "a neighbourhood folder, a character file and OUT.cvp");
    const CharacterList list = OpenCharacterList(folderName);
    const Sim& sim = FindCharacter(list, RequiredArgument(args, 1, "a character file such as User00001"), folderName);
    const std::filesystem::path target = RequiredArgument(args, 2, "the profile file to write");
    std::vector<ProfileFileEntry> files = CollectProfileFiles(sim, GameSkinFolders());
    std::vector<std::string> leftOut;
    for (const std::string& name : args.leaveOut) {
        leftOut.push_back(Utf8ToGameText(name));
        const bool worn = std::any_of(files.begin(), files.end(),
                                      [&](const ProfileFileEntry& f) { return EqualsIgnoreCase(f.name, leftOut.back()); });
        if (!worn) throw GameDataError("--leave-out " + name + ": " + sim.FileName + " wears no file of that name");
    }
    ProfileExportOptions options;
    options.expansionLevel = AppSettings().ExpansionLevel;
    options.codePage = gameCodePage();
    options.rating = args.rating.value_or('T');
    // Credits are one line, as the page keeps them.
    options.credits = args.credits.value_or("");
    std::erase_if(options.credits, [](char c) { return c == '\r' || c == '\n'; });
    options.warning = LeaveOutProfileFiles(files, {}, leftOut);
    const std::filesystem::path characterFile =
        ResolveCaseInsensitive(NeighbourhoodFolder(folderName), "Characters\\" + sim.FileName + ".iff");
    ExportProfile(sim, characterFile, files, options, target);
    for (const ProfileFileEntry& file : files) out << "embedded " << GameTextToUtf8(file.name) << "\n";
    out << "wrote " << target.string() << "\n";
    return 0;
}

int RunImportProfile(const CliArguments& args, std::ostream& out) {
    const std::string folderName = RequiredArgument(args, 0, "a neighbourhood folder, a character file and IN.cvp");
    // The whole profile is read and checked before anything changes.
    const Profile profile = readProfile(RequiredArgument(args, 2, "the profile file to read"));
    Document document(AppSettings().ExpansionLevel);
    Sim& sim = OpenCharacterToEdit(args, folderName, document);
    CharacterList& list = document.characters();
    if (!ProfileFitsCharacter(profile, sim)) throw GameDataError(ProfileKindMismatchText());

    EditedRecords records(list, sim);
    const std::vector<std::string> notKept =
        profileStep([&] { return ApplyProfileValues(document, sim, profile, gameCodePage()); });
    const std::vector<Sim*> saved = records.changed();
    records.print(out);
    for (const std::string& value : notKept) out << "left as it was: " << PlainText(value) << "\n";
    const std::vector<std::string> offered = offeredNames(profile);
    const SkinFolders folders = GameSkinFolders();
    const bool replace = args.overwrite.value_or(false);
    const auto folder = NeighbourhoodFolder(folderName);
    if (args.dryRun) {
        for (ProfileInstallStep step : PlanProfileInstall(profile, offered, folders, GameSkinsFolder())) {
            if (step.action == ProfileInstallStep::Action::Replace && !replace) step.action = ProfileInstallStep::Action::Keep;
            out << actionWord(step.action, true) << PlainText(step.fileName) << "\n";
        }
        printRefused(profile.refused, out);
        if (profile.images) out << "would stage the profile's pictures of " << sim.FileName << "\n";
        if (!saved.empty()) PrintPlannedSave(saved, folder, out);
        return 0;
    }
    CliDialogs dialogs(std::cerr);  // keeps installed files unless told otherwise
    const ProfileInstallResult decided =
        DecideProfileInstall(profile, offered, folders, GameSkinsFolder(), dialogs, replace ? mrAll : mrNo);
    SaveAdditions additions;
    additions.files = ProfileInstallFiles(profile, decided);
    if (saved.empty()) {
        try {
            InstallGameFiles(additions.files);
        } catch (const std::exception& failure) {
            throw GameDataError(LangStr(7067) + " " + failure.what());
        }
    } else {
        // The skins, the pictures and the values are written as one save: all or nothing.
        if (profile.images) {
            additions.images[sim.FileName] = *profile.images;
        } else {
            // Without pictures of its own the profile leaves none drawn earlier for this save.
            StageProfileImages(profile, ApplicationFolder(), sim.FileName);
        }
        SaveEditedCharacters(list, folder, std::move(additions));
    }
    DiscardSkinCatalogue(GameSkinCatalogue());
    for (const ProfileInstallStep& step : decided.steps) out << actionWord(step.action, false) << PlainText(step.fileName) << "\n";
    printRefused(profile.refused, out);
    if (saved.empty()) out << "no values to change\n";
    return 0;
}

namespace {

bool intElement(std::string_view element) {
    for (const ProfileValueElement& known : ProfileValueElements()) {
        if (known.name == element) return known.type == ProfileValueType::Int;
    }
    return false;
}

std::optional<std::int64_t> wholeNumber(const std::string& text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

int RunProfileInfo(const CliArguments& args, std::ostream& out) {
    const Profile profile = readProfile(RequiredArgument(args, 0, "a profile file"));
    if (args.json) {
        JsonObject values;
        for (const ProfileValue& value : profile.values) {
            // Numbers as JSON numbers, as every other command writes them.
            const std::optional<std::int64_t> number = intElement(value.element) ? wholeNumber(value.text) : std::nullopt;
            if (number) {
                values.number(value.element, *number);
            } else {
                values.text(value.element, value.text);
            }
        }
        std::vector<std::string> files;
        for (const ProfileBinData& file : profile.files) {
            files.push_back(JsonObject()
                                .text("FileName", file.fileName)
                                .number("Size", static_cast<std::int64_t>(file.bytes.size()))
                                .line());
        }
        std::vector<std::string> refused;
        for (const RefusedProfileFile& file : profile.refused) {
            refused.push_back(JsonObject().text("FileName", file.fileName).text("Reason", file.reason).line());
        }
        JsonObject info;
        info.text("DateTime", profile.dateTime);
        if (const auto level = wholeNumber(profile.expansionLevel)) {
            info.number("ExpansionLevel", *level);
        } else {
            info.text("ExpansionLevel", profile.expansionLevel);
        }
        info
            .text("Rating", profile.rating)
            .flag("Warning", profile.warning)
            .text("Credits", profile.credits)
            .json("Values", values.block(4))
            .json("Files", JsonArray(files, 4))
            .json("Refused", JsonArray(refused, 4));
        if (profile.images) {
            info.number("Images", static_cast<std::int64_t>(profile.images->size()));
        } else {
            info.json("Images", "null");
        }
        out << info.block(2) << "\n";
        return 0;
    }
    out << "DateTime\t" << PlainText(profile.dateTime) << "\nExpansionLevel\t" << PlainText(profile.expansionLevel)
        << "\nRating\t" << PlainText(profile.rating) << "\nWarning\t" << (profile.warning ? "True" : "False")
        << "\nCredits\t" << PlainText(profile.credits) << "\n";
    for (const ProfileValue& value : profile.values) out << PlainText(value.element) << "\t" << PlainText(value.text) << "\n";
    for (const ProfileBinData& file : profile.files) out << "file\t" << PlainText(file.fileName) << "\t" << file.bytes.size() << "\n";
    for (const RefusedProfileFile& file : profile.refused) {
        out << "refused\t" << PlainText(file.fileName) << "\t" << PlainText(file.reason) << "\n";
    }
    if (profile.images) out << "images\t" << profile.images->size() << "\n";
    return 0;
}

}  // namespace corvane::cli
