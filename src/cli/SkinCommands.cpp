#include "cli/SkinCommands.h"

#include "app/Settings.h"
#include "cli/CliGame.h"
#include "cli/StderrProgress.h"
#include "platform/AsciiText.h"
#include "skins/ArchiveSkinLookup.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinText.h"

#include <stdexcept>

namespace corvane::cli {

namespace {

SkinFolders gameSkinFolders() {
    return SkinFolders(AppSettings().GamePath, AppSettings().ExpansionLevel);
}

const SkinCatalogue& builtCatalogue() {
    SkinCatalogue& catalogue = GameSkinCatalogue();
    StderrProgress progress;
    LoadSkinData(catalogue, gameSkinFolders(), progress);
    if (catalogue.ArchiveReadError) {
        throw GameDataError("an archive of the game could not be read; the catalogue is incomplete: " +
                            catalogue.ArchiveReadCause);
    }
    return catalogue;
}

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
    const SkinFolders folders = gameSkinFolders();
    // The archives are catalogued only when no loose file answers.
    const bool loose = !folders.FindSkinFile(name, extension).empty();
    const SkinCatalogue noArchives;
    const auto text = ReadSkinText(folders, loose ? noArchives : builtCatalogue(), name, extension, lookup);
    if (!text || text->lines.empty()) {
        throw GameDataError(name + extension + " is neither a loose file nor a readable archive entry");
    }
    for (const std::string& line : text->lines) {
        out << line << "\n";
    }
    return 0;
}

}  // namespace

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
    const SkinCatalogue& catalogue = builtCatalogue();
    out << "ArchiveMeshEntries\t" << catalogue.ArchiveMeshEntries->size() << "\n";
    out << "SknFileList\t" << catalogue.SknFileList->size() << "\n";
    out << "ArchiveCharacterEntries\t" << catalogue.ArchiveCharacterEntries->size() << "\n";
    out << "ArchiveTextureEntries\t" << catalogue.ArchiveTextureEntries->size() << "\n";
    return 0;
}

}  // namespace corvane::cli
