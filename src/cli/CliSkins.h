#pragma once

#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <filesystem>

namespace corvane::cli {

// The game's skin folders, as the settings found them.
SkinFolders GameSkinFolders();

// The folder new skins are written to: the settings' skins folder below the game.
std::filesystem::path GameSkinsFolder();

// The editor's skin catalogue, built when it is not (progress on stderr).
// Throws GameDataError when an archive could not be read: a listing would
// silently miss its skins.
SkinCatalogue& BuiltSkinCatalogue();

}  // namespace corvane::cli
