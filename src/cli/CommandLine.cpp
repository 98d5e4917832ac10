#include "cli/CommandLine.h"

#include "app/LeftoverCleanup.h"
#include "app/Settings.h"
#include "app/VersionText.h"
#include "cli/BackupCommands.h"
#include "cli/BlurCommand.h"
#include "cli/Chatter.h"
#include "cli/CliArguments.h"
#include "cli/CliGame.h"
#include "cli/NeighbourhoodCommands.h"
#include "cli/PicturesCommand.h"
#include "cli/ProfileCommands.h"
#include "cli/RenderCommand.h"
#include "cli/SetCommand.h"
#include "cli/SkinCommands.h"
#include "cli/SkinCheckCommands.h"
#include "cli/SkinRepairCommands.h"
#include "cli/SkinStoreCommands.h"
#include "cli/SkinToolCommands.h"
#include "neighbourhoods/InterruptedSaveReport.h"
#include "platform/FormatError.h"
#include "platform/InstallationLock.h"

#include <unistd.h>

#include <chrono>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace corvane::cli {

const char* const kUsage =
    "Usage: corvane3d-cli [--game DIR] [--lang CODE] [--quiet | --progress] COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on the characters and skins of a The Sims installation without a window.\n"
    "NB is a neighbourhood: its folder (UserData2) or its number (02).\n"
    "\n"
    "Commands:\n"
    "  neighbourhoods [--json]    each neighbourhood's number and folder\n"
    "  characters NB [--json]     the characters of neighbourhood NB\n"
    "  show NB FILE [--json]      one character's record (FILE such as User00001)\n"
    "  set NB FILE Field=Value... [--dry-run] [--seed N]\n"
    "                             changes fields (Neat=800, FirstName=Bella, BodyTexture=...)\n"
    "                             and saves the character; --dry-run only shows what would change.\n"
    "                             The makeover's fields AgeGroup=child|adult, SkinAge=child|adult,\n"
    "                             Gender=male|female, SkinColor=light|medium|dark and\n"
    "                             BodySize=skn|fit|fat|tnr dress the character in new matching skins\n"
    "  render NB FILE --out FILE.png|FILE.jpg [--size WxH]\n"
    "                             the character as the 3D preview shows it, drawn without a display\n"
    "  pictures NB FILE --out FOLDER\n"
    "                             the six pictures the game keeps of the character, as 8-bit BMP files\n"
    "  catalogue                  the sizes of the skin catalogue's lists\n"
    "  cmx NAME                   the text of a character file (loose, else from the archives)\n"
    "  skn NAME                   the text of a mesh (loose, else from the archives)\n"
    "  skeleton NAME              the text of a skeleton such as adult-skeleton\n"
    "  skins NB FILE SLOT [--mesh NAME] [--json] [--seed N]\n"
    "                             the meshes a skin page lists for the character's SLOT (body, head,\n"
    "                             formal, fashion, winter, swim, pajamas, nude, formal-left, formal-right,\n"
    "                             open-left, open-right, pointing-left, pointing-right, closed-left,\n"
    "                             closed-right), or with --mesh that mesh's textures; the entry the page\n"
    "                             selects is marked with a tab and *\n"
    "  export-cvp NB FILE OUT.cvp [--rating E|T|M|A] [--credits TEXT] [--leave-out NAME...]\n"
    "                             writes the character's profile with every skin file it wears\n"
    "                             (--leave-out NAME: not that file; the profile then warns of it)\n"
    "  import-cvp NB FILE IN.cvp [--overwrite all|none] [--dry-run]\n"
    "                             applies a profile to the character, installs its skin files (an\n"
    "                             installed file of the same name is kept unless --overwrite all),\n"
    "                             stages its pictures and saves; --dry-run only shows what would change\n"
    "  cvp-info IN.cvp [--json]   a profile's attributes, values and files, without importing it\n"
    "  backups [--json]           the neighbourhood backups, each with its description's first line\n"
    "  backup NB                  backs the neighbourhood up into the editor's folder; an older backup\n"
    "                             of the same name is replaced and goes to the Trash\n"
    "  restore BACKUP [--as NB] [--replace]\n"
    "                             restores a backup to the neighbourhood of its name (--as: to NB,\n"
    "                             UserData or UserData2 ... UserData99); an existing neighbourhood is\n"
    "                             replaced only with --replace (its other subfolders stay, the old one\n"
    "                             goes to the Trash)\n"
    "  copy-neighbourhood NB NEW  copies what a backup carries of the neighbourhood to the new\n"
    "                             neighbourhood NEW (UserData2 ... UserData99 or 02 ... 99)\n"
    "  copy-backup BACKUP NEW     copies a backup whole to the new backup NEW\n"
    "  rename-neighbourhood NB NEW, rename-backup BACKUP NEW\n"
    "                             renames (UserData keeps its name once an expansion pack is installed)\n"
    "  delete-neighbourhood NB, delete-backup BACKUP\n"
    "                             moves the folder to the Trash (UserData is never deleted)\n"
    "  description NB [TEXT], backup-description BACKUP [TEXT]\n"
    "                             prints the description, or replaces it with TEXT (\\n: a new line)\n"
    "  validate [--json]          checks every installed character file and texture: suit names, missing\n"
    "                             meshes, texture sizes and colours; one problem a line\n"
    "  duplicates [--json]        skin files the game has more than once, in the skin folders or also in\n"
    "                             its archives; one finding a line, grouped by folder\n"
    "  missing-skins NB [--children-formals] [--report FILE.csv|FILE.txt|FILE.xml]\n"
    "                             the skins the characters of NB wear that are not installed; --report\n"
    "                             also saves the list\n"
    "  store-duplicate PATH [--replace]\n"
    "                             moves a file the duplicate search finds (PATH: its folder and name\n"
    "                             below the game folder, as duplicates prints them) into the store beside\n"
    "                             the editor, under the same folders\n"
    "  restore-duplicate PATH [--replace]\n"
    "                             moves the stored file PATH (the path it had below the game folder)\n"
    "                             back into the game\n"
    "  fix-texture FILE.bmp [--dry-run]\n"
    "                             the colour correction: writes the texture's 8-bit form over it, as the\n"
    "                             colour editor saves it (the old file kept in the editor's BMP_EDIT)\n"
    "  fix-cmx FILE.cmx [--dry-run]\n"
    "                             the character-file repair: sets the suit name to the file's name and\n"
    "                             replaces each mesh the game lacks by the most alike installed one (the\n"
    "                             old file kept in the editor's CMX_EDIT); --dry-run prints the new file\n"
    "  blur [adult|child|dog|cat on|off]\n"
    "                             whether the game blurs nude adults, children, dogs and cats; off writes\n"
    "                             the censor override file, on moves it to the Trash\n"
    "  import-texture FILE.bmp --type T --name NAME [--gender G] [--age A] [--size S] [--tone C]\n"
    "                 [--hand H --hand-type P] [--mesh NAME] [--replace] [--dry-run]\n"
    "                             copies a bitmap (8-bit, sides of 2 to 1024 pixels) into the skins\n"
    "                             folder as the texture of that kind, named as the import page names it;\n"
    "                             --mesh chooses the character file when more than one fits\n"
    "  export-skin MESH TEXTURE --type T [--gender G] [--age A] [--size S] [--tone C] [--series NNN]\n"
    "              [--name NAME] [--replace] [--dry-run]\n"
    "                             gives an installed skin a new body type: a character file naming MESH's\n"
    "                             meshes and a copy of TEXTURE, named from the options (the new skin's\n"
    "                             kind; --series defaults to MESH's)\n"
    "  build-cmx OUT --type T [--series NNN] [--gender G] [--age A] [--size S] [--hand H]\n"
    "            [--hand-type P] [--name NAME] MESH.skn... [--replace] [--dry-run]\n"
    "                             writes a character file naming the meshes, as the CMX builder does;\n"
    "                             the choices name the file (B001MAFit_NAME.cmx): OUT is the folder to\n"
    "                             write it to, or FOLDER/that name; an empty --name adds no \"_NAME\"\n"
    "\n"
    "Options:\n"
    "  --game DIR    the game's folder or its Sims.exe (default: found as the editor finds it)\n"
    "  --lang CODE   language of the texts and of the characters' names and biographies:\n"
    "                usen, uken, fren, germ, ital, span, ... (default: the game's language)\n"
    "  --mesh NAME   skins: the mesh whose textures to list; import-texture: the character file\n"
    "  --json        the result as JSON (neighbourhoods, characters, show, skins, cvp-info,\n"
    "                backups, validate, duplicates)\n"
    "  --dry-run     set, import-cvp, import-texture, export-skin, build-cmx, fix-texture, fix-cmx:\n"
    "                change nothing, print what would change\n"
    "  --seed N      skins: the seed of the random mesh a page selects when the character's own\n"
    "                is not installed (default: a fixed seed, so runs repeat); set: the seed of\n"
    "                the makeover's random choices (default: the clock)\n"
    "  --rating R    export-cvp: the profile's rating, E (everyone), T (teen, the default), M or A\n"
    "  --credits T   export-cvp: the exporter's credits, one line\n"
    "  --leave-out N export-cvp: a worn file not to embed (NAME.cmx, .skn or .bmp; repeatable)\n"
    "  --overwrite W import-cvp: all replaces installed skin files of the same name, none (the\n"
    "                default) keeps them\n"
    "  --as NB       restore: the neighbourhood to restore to (default: the backup's name)\n"
    "  --replace     restore: replace the neighbourhood when it exists; import-texture, export-skin,\n"
    "                build-cmx: replace a skin file of the same name (it goes to the Trash; build-cmx\n"
    "                saves beside a file of that name elsewhere in the game or in its archives);\n"
    "                store-duplicate, restore-duplicate: replace the file in the way (it goes to the\n"
    "                Trash)\n"
    "  --type T      the kind of skin: head, hands, body, formal, winter, swim, pajamas, nude,\n"
    "                fashion, dog, cat (as far as the game and the command offer them)\n"
    "  --gender G    male (default), female, unisex (hands and nude)\n"
    "  --age A       adult (default), child\n"
    "  --size S      import-texture, export-skin, build-cmx: skinny, fit (default), fat, teen\n"
    "  --tone C      import-texture, export-skin: light, medium (default), dark\n"
    "  --hand H      left (default), right; --hand-type P: open (default), closed, pointing, formal\n"
    "  --series NNN  the series number; a character that is not a digit counts as 0\n"
    "  --name NAME   the skin's own name: letters, digits, - and _\n"
    "  --children-formals\n"
    "                missing-skins: check the formal skins too (the page's Show Missing Children\n"
    "                Formals)\n"
    "  --report F    missing-skins: save the list as CSV, text or XML, by F's extension\n"
    "  --quiet       nothing on stderr but errors\n"
    "  --progress    progress lines on stderr even when it is not a terminal\n"
    "  --help        this text\n"
    "  --version     the program's version\n"
    "\n"
    "Exit status: 0 done; 1 wrong usage; 2 not found, damaged or failed (a command that writes also\n"
    "when another editor or command keeps changing the game for more than three seconds); 3 a check\n"
    "(validate, duplicates, missing-skins) found problems.\n";

namespace {

using CommandFunction = int (*)(const CliArguments&, std::ostream&);

// The options a command may take besides those every command takes.
enum Offered : unsigned {
    kNone = 0, kJson = 1, kDryRun = 2, kOutAndSize = 4, kOut = 8, kMesh = 16, kSeed = 32,
    kProfileExport = 64,  // --rating, --credits, --leave-out
    kOverwrite = 128,
    kRestore = 256,  // --as, --replace
    kSkinMaking = 512,  // --type, --gender, --age, --size, --tone, --hand, --hand-type, --series, --name, --replace
    kMissingSkins = 1024,  // --children-formals, --report
    kReplace = 2048,       // --replace alone
};

// Whether a command changes the installation (and so holds its lock while it
// runs): never, always (unless --dry-run), or only when given more than its
// fewest arguments ("description NB TEXT", "blur adult off").
enum class Writes { Never, Always, WithMoreArguments };

struct Command {
    std::string_view word;
    CommandFunction run;
    std::string_view synopsis;  // its arguments, as the usage names them
    std::size_t fewest;
    std::size_t most;  // kAny: no limit
    unsigned offered;
    Writes writes;
};

constexpr std::size_t kAny = static_cast<std::size_t>(-1);

constexpr Command kCommands[] = {
    {"neighbourhoods", RunNeighbourhoods, "no arguments", 0, 0, kJson, Writes::Never},
    {"characters", RunCharacters, "NB", 1, 1, kJson, Writes::Never},
    {"show", RunShow, "NB FILE", 2, 2, kJson, Writes::Never},
    {"set", RunSet, "NB FILE Field=Value...", 3, kAny, kDryRun | kSeed, Writes::Always},
    {"render", RunRender, "NB FILE", 2, 2, kOutAndSize, Writes::Never},
    {"pictures", RunPictures, "NB FILE", 2, 2, kOut, Writes::Never},
    {"catalogue", RunCatalogue, "no arguments", 0, 0, kNone, Writes::Never},
    {"cmx", RunCmx, "NAME", 1, 1, kNone, Writes::Never},
    {"skn", RunSkn, "NAME", 1, 1, kNone, Writes::Never},
    {"skeleton", RunSkeleton, "NAME", 1, 1, kNone, Writes::Never},
    {"skins", RunSkins, "NB FILE SLOT", 3, 3, kJson | kMesh | kSeed, Writes::Never},
    {"export-cvp", RunExportProfile, "NB FILE OUT.cvp", 3, 3, kProfileExport, Writes::Never},
    {"import-cvp", RunImportProfile, "NB FILE IN.cvp", 3, 3, kDryRun | kOverwrite, Writes::Always},
    {"cvp-info", RunProfileInfo, "IN.cvp", 1, 1, kJson, Writes::Never},
    {"backups", RunBackups, "no arguments", 0, 0, kJson, Writes::Never},
    {"backup", RunBackup, "NB", 1, 1, kNone, Writes::Always},
    {"restore", RunRestore, "BACKUP", 1, 1, kRestore, Writes::Always},
    {"copy-neighbourhood", RunCopyNeighbourhood, "NB NEW", 2, 2, kNone, Writes::Always},
    {"copy-backup", RunCopyBackup, "BACKUP NEW", 2, 2, kNone, Writes::Always},
    {"rename-neighbourhood", RunRenameNeighbourhood, "NB NEW", 2, 2, kNone, Writes::Always},
    {"rename-backup", RunRenameBackup, "BACKUP NEW", 2, 2, kNone, Writes::Always},
    {"delete-neighbourhood", RunDeleteNeighbourhood, "NB", 1, 1, kNone, Writes::Always},
    {"delete-backup", RunDeleteBackup, "BACKUP", 1, 1, kNone, Writes::Always},
    {"description", RunDescription, "NB [TEXT]", 1, 2, kNone, Writes::WithMoreArguments},
    {"backup-description", RunBackupDescription, "BACKUP [TEXT]", 1, 2, kNone, Writes::WithMoreArguments},
    {"validate", RunValidate, "no arguments", 0, 0, kJson, Writes::Never},
    {"duplicates", RunDuplicates, "no arguments", 0, 0, kJson, Writes::Never},
    {"missing-skins", RunMissingSkins, "NB", 1, 1, kMissingSkins, Writes::Never},
    {"store-duplicate", RunStoreDuplicate, "PATH", 1, 1, kReplace, Writes::Always},
    {"restore-duplicate", RunRestoreDuplicate, "PATH", 1, 1, kReplace, Writes::Always},
    {"fix-texture", RunFixTexture, "FILE.bmp", 1, 1, kDryRun, Writes::Always},
    {"fix-cmx", RunFixCmx, "FILE.cmx", 1, 1, kDryRun, Writes::Always},
    {"blur", RunBlur, "[adult|child|dog|cat on|off]", 0, 2, kNone, Writes::WithMoreArguments},
    {"import-texture", RunImportTexture, "FILE.bmp", 1, 1, kSkinMaking | kMesh | kDryRun, Writes::Always},
    {"export-skin", RunExportSkin, "MESH TEXTURE", 2, 2, kSkinMaking | kDryRun, Writes::Always},
    {"build-cmx", RunBuildCmx, "OUT MESH.skn...", 2, kAny, kSkinMaking | kDryRun, Writes::Always},
};

const Command& commandFor(const CliArguments& args) {
    for (const Command& command : kCommands) {
        if (command.word == args.command) return command;
    }
    throw std::invalid_argument("unknown command " + args.command);
}

// Wrong usage the command line shows before anything is read.
void checkUsage(const Command& command, const CliArguments& args) {
    const std::string word(command.word);
    const auto refuse = [&](const char* option, bool given, unsigned offer) {
        if (given && (command.offered & offer) == 0) {
            throw std::invalid_argument(word + " does not take " + option);
        }
    };
    refuse("--json", args.json, kJson);
    refuse("--dry-run", args.dryRun, kDryRun);
    refuse("--out", args.outFile.has_value(), kOutAndSize | kOut);
    refuse("--size", args.size.has_value(), kOutAndSize | kSkinMaking);
    refuse("--mesh", args.mesh.has_value(), kMesh);
    refuse("--seed", args.seed.has_value(), kSeed);
    refuse("--rating", args.rating.has_value(), kProfileExport);
    refuse("--credits", args.credits.has_value(), kProfileExport);
    refuse("--leave-out", !args.leaveOut.empty(), kProfileExport);
    refuse("--overwrite", args.overwrite.has_value(), kOverwrite);
    refuse("--as", args.restoreAs.has_value(), kRestore);
    refuse("--replace", args.replace, kRestore | kSkinMaking | kReplace);
    for (const auto& [option, given] : {std::pair{"--type", args.skinType.has_value()},
                                        std::pair{"--gender", args.gender.has_value()},
                                        std::pair{"--age", args.age.has_value()},
                                        std::pair{"--tone", args.tone.has_value()},
                                        std::pair{"--hand", args.hand.has_value()},
                                        std::pair{"--hand-type", args.handType.has_value()},
                                        std::pair{"--series", args.series.has_value()},
                                        std::pair{"--name", args.skinName.has_value()}}) {
        refuse(option, given, kSkinMaking);
    }
    refuse("--children-formals", args.childrenFormals, kMissingSkins);
    refuse("--report", args.report.has_value(), kMissingSkins);
    if (args.arguments.size() > command.most) {
        throw std::invalid_argument("surplus argument " + args.arguments[command.most] + ": " + word + " takes " +
                                    std::string(command.synopsis));
    }
    if (args.arguments.size() < command.fewest) {
        throw std::invalid_argument(word + " needs " + std::string(command.synopsis));
    }
}

// The run's chatter, and std::cerr sent to `err`, until the run ends.
class RunScope {
public:
    RunScope(std::ostream& err, Chatter chatter)
        : savedBuffer_(std::cerr.rdbuf(err.rdbuf())), savedChatter_(ToolChatter()) {
        ToolChatter() = std::move(chatter);
    }
    ~RunScope() {
        std::cerr.rdbuf(savedBuffer_);
        ToolChatter() = savedChatter_;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    std::streambuf* savedBuffer_;
    Chatter savedChatter_;
};

bool writes(const Command& command, const CliArguments& args) {
    switch (command.writes) {
    case Writes::Never: return false;
    case Writes::Always: return !args.dryRun;
    case Writes::WithMoreArguments: return args.arguments.size() > command.fewest;
    }
    return false;
}

// How long a write waits for another editor or command to finish with the installation.
constexpr std::chrono::seconds kLockPatience{3};

// A writing command holds the installation's lock while it runs, waiting
// briefly for another holder; a reading one takes it only when it is free, to
// clean up what interrupted work left, and goes on without it otherwise.
std::optional<InstallationLock> lockFor(const Command& command, const CliArguments& args) {
    const std::filesystem::path& game = AppSettings().GamePath;
    const std::string holder = InstallationLock::ThisProcess("corvane3d-cli " + args.command);
    if (!writes(command, args)) {
        try {
            return InstallationLock::TryTake(game, holder);
        } catch (const std::exception&) {
            return std::nullopt;  // no lock file to be had: a reading command does without the clean-up
        }
    }
    std::optional<InstallationLock> lock = InstallationLock::Take(game, holder, kLockPatience);
    if (!lock) {
        const std::string other = InstallationLock::Holder(game);
        throw std::runtime_error("the game in " + game.string() + " is being changed by " +
                                 (other.empty() ? std::string("another program") : other) +
                                 "; nothing was changed, try again once it has finished");
    }
    return lock;
}

InterruptedWorkReport recoverInterruptedWork(bool holdingLock) {
    if (holdingLock) return RecoverInterruptedWork(AppSettings().GamePath, AppSettings().ExpansionLevel);
    const InterruptedSaveReport save = FinishInterruptedSaveAndDescribe();
    return {save.text, save.failed};
}

int run(const CliArguments& args, std::ostream& out, std::ostream& err, const std::filesystem::path& languageFolder,
        bool errIsTerminal) {
    if (args.command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (args.command == "version") {
        out << "corvane3d-cli " << GetVersionText() << "\n";
        return kExitOk;
    }
    const Command& command = commandFor(args);
    checkUsage(command, args);
    Chatter chatter = ToolChatter();
    chatter.progress = !args.quiet && (args.progress || errIsTerminal);
    chatter.messages = !args.quiet;
    RunScope scope(err, std::move(chatter));
    SetUpGame(args, languageFolder);
    std::optional<InstallationLock> lock = lockFor(command, args);
    // A save cut off last time is completed or undone before any file is read.
    const InterruptedWorkReport interrupted = recoverInterruptedWork(lock.has_value());
    if (!writes(command, args)) lock.reset();
    if (!interrupted.text.empty() && (interrupted.failed || !args.quiet)) {
        err << "corvane3d-cli: " << interrupted.text << "\n";
    }
    if (interrupted.failed) return kExitFailed;  // its files may be part old, part new: read none of them
    return command.run(args, out);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::filesystem::path& languageFolder) {
    const bool errIsTerminal = &err == &std::cerr && isatty(STDERR_FILENO) == 1;
    try {
        return run(ParseCliArguments(args), out, err, languageFolder, errIsTerminal);
    } catch (const NoCommandError&) {
        err << kUsage;
        return kExitUsage;
    } catch (const std::invalid_argument& error) {
        err << "corvane3d-cli: " << error.what() << " (see corvane3d-cli --help)\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        // Not found, damaged (GameDataError, FormatError), a file that cannot
        // be written, or no OpenGL to draw with.
        err << "corvane3d-cli: " << error.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace corvane::cli
