#pragma once

#include "platform/Dialogs.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/SkinToolFiles.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// Exporting an installed skin under a new body type: a new character file
// that names the same meshes under the new suit name, and a copy of the
// texture under the new texture name, both in the skins folder.

struct SkinExportRequest {
    std::string mesh;           // the source character file, without ".cmx"
    std::string texture;        // the source texture, without ".bmp"
    std::string characterFile;  // ExportNames(...).characterFile, "B001FAFat_Red.cmx"
    std::string textureFile;    // ExportNames(...).textureFile, "B001FAFatlgt_Red.bmp"
};

// Where a file the export writes comes from.
struct ExportSource {
    std::filesystem::path file;  // a loose file; empty for an archive entry or nothing
    std::string archiveEntry;    // the entry's name in `file`'s stead
    std::filesystem::path archive;
    bool found() const { return !file.empty() || !archiveEntry.empty(); }
};

// What an export would do, for showing it without doing it.
struct SkinExportPlan {
    SkinFileReplacement character;  // asked about when it replaces any
    ExportSource characterSource;
    SkinFileReplacement texture;
    ExportSource textureSource;
};

// The catalogue must be built. Throws std::invalid_argument when a new name
// would reach out of the skins folder, ShellOperationError when a folder or a
// special file has a new file's name.
SkinExportPlan PlanSkinExport(const SkinExportRequest& request, const SkinFolders& folders,
                              const SkinCatalogue& catalogue, const std::filesystem::path& skinsFolder);

// Puts `suitName` into a text character file's suit name line: the first line
// that does not start with "/", "0", "1", "v" or "V". False when there is none.
bool ReplaceSuitNameLine(std::vector<std::string>& lines, const std::string& suitName);

// The question when the user keeps an installed character file: go on without one?
std::string KeepCharacterFileQuestionText(const std::string& characterFile);

enum class ExportOutcome {
    Exported,  // what could be written is written (see the paths)
    Declined,  // the user ended it at a question: nothing changed
    Failed,    // the user was told why; files written before stay
};

struct SkinExportResult {
    ExportOutcome outcome = ExportOutcome::Declined;
    std::filesystem::path characterWritten;  // empty when none was written
    std::filesystem::path textureWritten;
    std::vector<std::filesystem::path> trashed;  // the replaced files, now in the Trash
};

// The export. Every question comes first: installed character files of the
// new name are replaced on Yes, else kept when the user goes on without a new
// one; installed textures are replaced on Yes, else the export ends. Then the
// character file is written from the loose source file (its suit name line
// replaced) or converted from the archive entry, and the texture copied from
// the loose file or the archive entry; each whole or not at all, the files it
// replaces sent to the Trash (ReplaceSkinFile), stamped and reported. Finally
// the catalogue is discarded so that it is built again with the new files.
SkinExportResult ExportSkin(const SkinExportRequest& request, const SkinFolders& folders, SkinCatalogue& catalogue,
                            const std::filesystem::path& skinsFolder, Dialogs& dialogs);

}  // namespace corvane
