#include "cli/SkinRepairCommands.h"

#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/CliSkins.h"
#include "cli/CommandLine.h"
#include "platform/AsciiText.h"
#include "platform/FileBytes.h"
#include "platform/ShellFileOps.h"
#include "platform/TextLines.h"
#include "render/TextureCorrection.h"
#include "skintools/CharacterFileRepair.h"
#include "skintools/EditorBackups.h"
#include "skintools/SkinToolFiles.h"

#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

namespace fs = std::filesystem;

// The file to repair: an existing file of that extension.
fs::path repairedFile(const CliArguments& args, const char* extension, const char* what) {
    const fs::path file = RequiredArgument(args, 0, what);
    if (ToLowerAscii(file.extension().string()) != extension) {
        throw std::invalid_argument(file.string() + " is not " + what);
    }
    if (!PathExists(file)) throw GameDataError(QuotedPath(file) + " not found");
    return file;
}

// Writes the repair as the editor's Save does, backup kept; says where both went.
void saveRepair(const fs::path& file, const fs::path& backupFolder, std::string_view bytes, std::ostream& out) {
    const fs::path backup = SaveRepairedFile(file, backupFolder, true, bytes);
    out << "kept the old file as " << QuotedPath(backup) << "\n";
    out << "wrote " << file.string() << "\n";
}

}  // namespace

int RunFixTexture(const CliArguments& args, std::ostream& out) {
    const fs::path file = repairedFile(args, ".bmp", "a texture (FILE.bmp)");
    CorrectedTexture texture;
    try {
        texture = CorrectTextureFile(file);
    } catch (const std::exception& error) {
        throw GameDataError(error.what());
    }
    if (texture.original.bitDepth == 8) {
        out << file.string() << " has 8-bit colour already: nothing to correct\n";
        return kExitOk;
    }
    const std::string bytes(texture.bytes.begin(), texture.bytes.end());
    if (args.dryRun) {
        out << "would write " << file.string() << ": " << texture.corrected.width << " x " << texture.corrected.height
            << ", 8-bit colour, " << bytes.size() << " bytes (now " << texture.original.bitDepth << "-bit, "
            << fs::file_size(file) << " bytes); the old file kept in " << QuotedPath(TextureBackupFolder()) << "\n";
        return kExitOk;
    }
    saveRepair(file, TextureBackupFolder(), bytes, out);
    return kExitOk;
}

int RunFixCmx(const CliArguments& args, std::ostream& out) {
    const fs::path file = repairedFile(args, ".cmx", "a character file (FILE.cmx)");
    std::vector<std::string> lines;
    try {
        lines = ReadTextFileLines(file);
    } catch (const std::exception& error) {
        throw GameDataError(error.what());
    }
    const CharacterFileProposal proposal =
        ProposeCharacterFileRepair(lines, file.filename().string(), {}, BuiltSkinCatalogue());
    for (const EditorMark& mark : proposal.marks) {
        if (mark.style != EditorMarkStyle::Red) continue;
        std::cerr << file.string() << " line " << mark.line + 1 << ": no installed mesh is like "
                  << GameTextToUtf8(proposal.lines[mark.line].substr(mark.start, mark.length)) << "\n";
    }
    if (proposal.lines == lines) {
        out << file.string() << " needs no repair\n";
        return kExitOk;
    }
    if (args.dryRun) {
        for (const std::string& line : proposal.lines) out << GameTextToUtf8(line) << "\n";
        return kExitOk;
    }
    saveRepair(file, CharacterFileBackupFolder(), SkinTextFileBytes(proposal.lines), out);
    return kExitOk;
}

}  // namespace corvane::cli
