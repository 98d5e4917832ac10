#pragma once

#include "platform/Dialogs.h"
#include "skins/SkinFolders.h"
#include "skintools/SkinToolFiles.h"

#include <cstdint>
#include <vector>

#include <filesystem>
#include <string>

namespace corvane {

// Importing a bitmap as a texture of the game: it is copied into the skins
// folder under its texture name, after the user agreed.

struct TextureImportRequest {
    std::filesystem::path bitmap;  // the file the user chose
    std::string mesh;              // the chosen character file, without ".cmx"
    std::string textureFileName;   // ImportTextureName(...).fileName, "B001MAFitmed_Red.bmp"
    // The bitmap's colour-corrected form, imported in its stead; the chosen
    // file itself is never rewritten. Empty: the chosen file's bytes.
    std::vector<std::uint8_t> corrected;
};

enum class ImportOutcome {
    Imported,
    Declined,  // the user said No or Cancel: nothing changed
    Failed,    // the user was told why (7044, 7029)
};

struct TextureImportResult {
    ImportOutcome outcome = ImportOutcome::Declined;
    std::filesystem::path written;                // the new texture
    std::vector<std::filesystem::path> replaced;  // the installed textures of that name, now in the Trash
    bool sourceTrashed = false;                   // the user had the chosen bitmap moved to the Trash
};

// What an import would do, for showing it without doing it: the file it
// writes and the installed textures of that name (asked about, then trashed).
using TextureImportPlan = SkinFileReplacement;

// Throws std::invalid_argument when the texture name would reach out of the
// skins folder, ShellOperationError when a folder or special file has its name.
TextureImportPlan PlanTextureImport(const TextureImportRequest& request, const SkinFolders& folders,
                                    const std::filesystem::path& skinsFolder);

// The questions the import asks, for callers that answer them by their text.
std::string ImportConfirmationText(const std::string& textureFileName, const std::string& mesh);
std::string DeleteSourceQuestionText();

// The import: installed textures of the same name are replaced only when the
// user says Yes to the question naming them; the user confirms (OK); the
// bitmap (or its corrected form) is written whole or not at all over the one
// at its place, which goes to the Trash, the others of its name follow, and
// it is stamped; then the user may have the chosen bitmap moved to the Trash.
// The skin catalogue needs no refresh: the listings read the folders.
// Throws as PlanTextureImport does, before anything is asked.
TextureImportResult ImportTexture(const TextureImportRequest& request, const SkinFolders& folders,
                                  const std::filesystem::path& skinsFolder, Dialogs& dialogs);

}  // namespace corvane
