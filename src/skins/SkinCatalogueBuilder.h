#pragma once

#include "platform/Progress.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <string>
#include <vector>

namespace corvane {

// The game's archives, relative to its folder, in the order they are read.
std::vector<std::string> SkinArchives();

// The mesh pass: the mesh entries of every archive, then the loose meshes.
// Nothing when both lists exist. An unreadable archive sets ArchiveReadError
// (and ArchiveReadCause: the archive and why) and ends the pass: later archives are not read, the loose meshes not listed.
void BuildMeshCatalogue(SkinCatalogue& catalogue, const SkinFolders& folders, Progress& progress);

// The character pass: character files, skeletons and textures of every
// archive. Nothing when both lists exist; an unreadable archive ends it quietly.
void BuildCharacterCatalogue(SkinCatalogue& catalogue, const SkinFolders& folders, Progress& progress);

// Both passes, showing what they read; nothing when the catalogue is complete.
void LoadSkinData(SkinCatalogue& catalogue, const SkinFolders& folders, Progress& progress);

}  // namespace corvane
