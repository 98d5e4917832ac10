#pragma once

#include "platform/Dialogs.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/CmxBuilder.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Saving the CMX builder's character file.

enum class CmxSaveOutcome {
    NoMeshes,     // told to add meshes first
    CheckFailed,  // the check named a missing mesh
    Cancelled,    // no folder was chosen
    Declined,     // the user kept the existing file of that name
    Saved,
};

struct CmxSaveResult {
    CmxSaveOutcome outcome = CmxSaveOutcome::Cancelled;
    std::filesystem::path target;    // the file written (or that would have been)
    std::filesystem::path existing;  // the file of that name the game has (an archive's path for an archive entry)
    std::filesystem::path trashed;   // the file replaced at the target, now in the Trash; empty when none
};

// Chooses the folder to save into; `suggested` is where the choice starts.
// Nothing when the user cancels.
using CmxFolderChoice = std::function<std::optional<std::filesystem::path>(const std::filesystem::path& suggested)>;

// A character file of the suit name `suitName` + ".cmx" that the game has
// already: a loose file of the skin folders (listed with IsSkinFileName), else
// an archive entry (then its archive's path); else the file at `target` itself.
// Empty when none.
std::filesystem::path ExistingCharacterFile(const std::string& suitName, const std::filesystem::path& target,
                                            const SkinFolders& folders, const SkinCatalogue& catalogue);

// The question before saving over a character file of the same name.
std::string SaveOverQuestionText(const std::string& suitName, const std::filesystem::path& existing);

// Saves `lines` (CmxBuilderLines; the fifth holds the suit name N): with
// meshes added, N.cmx is written to `workFolder` and checked (builder mode,
// which names a missing mesh); a folder is chosen; when a character file of
// that name exists the user is asked; then the target is written whole or
// not at all, a file there kept in the Trash (TrashingReplace), stamped, and
// the catalogue discarded so that it is built again with the new file. The
// work file is removed however the save ends. The catalogue must be built.
// Throws std::invalid_argument when N would reach out of the folder,
// ShellOperationError when a folder or special file stands at the target or
// the old file cannot be kept (nothing changed then), std::runtime_error when
// a file cannot be written (the old file stays in place).
CmxSaveResult SaveBuiltCharacterFile(const std::vector<std::string>& lines, const CMXBuilderList& meshes,
                                     const std::filesystem::path& workFolder, const std::filesystem::path& suggested,
                                     const CmxFolderChoice& chooseFolder, const SkinFolders& folders,
                                     SkinCatalogue& catalogue, Dialogs& dialogs);

}  // namespace corvane
