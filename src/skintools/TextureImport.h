#pragma once

#include "platform/Dialogs.h"
#include "skins/SkinFolders.h"

#include <filesystem>
#include <string>

namespace corvane {

// Importing a bitmap as a texture of the game: it is copied into the skins
// folder under its texture name, after the user agreed.

struct TextureImportRequest {
    std::filesystem::path bitmap;  // the file the user chose
    std::string mesh;              // the chosen character file, without ".cmx"
    std::string textureFileName;   // ImportTextureName(...).fileName, "B001MAFitmed_Red.bmp"
};

enum class ImportOutcome {
    Imported,
    Declined,  // the user said No or Cancel: nothing changed
    Failed,    // the user was told why (7044, 7029)
};

struct TextureImportResult {
    ImportOutcome outcome = ImportOutcome::Declined;
    std::filesystem::path written;   // the new texture
    std::filesystem::path replaced;  // the installed texture of that name, now in the Trash; empty when none
    bool sourceTrashed = false;      // the user had the chosen bitmap moved to the Trash
};

// What an import would do, for showing it without doing it.
struct TextureImportPlan {
    std::filesystem::path target;     // the file it writes
    std::filesystem::path installed;  // the texture of that name the game finds now (asked about, then trashed)
};

// Throws std::invalid_argument when the texture name would reach out of the skins folder.
TextureImportPlan PlanTextureImport(const TextureImportRequest& request, const SkinFolders& folders,
                                    const std::filesystem::path& skinsFolder);

// The questions the import asks, for callers that answer them by their text.
std::string ImportConfirmationText(const std::string& textureFileName, const std::string& mesh);
std::string DeleteSourceQuestionText();

// The import: an installed texture of the same name is replaced only when the
// user says Yes (it goes to the Trash once the import is confirmed, not
// before); the user confirms (OK); the bitmap is written whole or not at all
// and stamped; then the user may have the chosen bitmap moved to the Trash.
// The skin catalogue needs no refresh: the listings read the folders.
// Throws std::invalid_argument when the texture name would reach out of the skins folder.
TextureImportResult ImportTexture(const TextureImportRequest& request, const SkinFolders& folders,
                                  const std::filesystem::path& skinsFolder, Dialogs& dialogs);

}  // namespace corvane
