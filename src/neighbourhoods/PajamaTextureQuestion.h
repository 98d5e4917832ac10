#pragma once

#include "platform/Dialogs.h"
#include "sim/Sim.h"
#include "skins/SkinFolders.h"

#include <filesystem>

namespace corvane {

// Before sleepwear had entries of its own, the game dressed a character in
// the pajama texture named after its body texture. A character saved with
// the standard pajamas while such a matching texture lies in the skin
// folders would wear it again in the game; this finds that texture.
// Empty when there is none or the rule does not apply at this level and age.
std::filesystem::path MatchingPajamaTexture(const Sim& sim, int expansionLevel, const SkinFolders& folders);

// Offers to move that texture to the Trash (OK) or keep it (Cancel).
// Throws ShellOperationError when the move fails.
void AskAboutPajamaTexture(const Sim& sim, int expansionLevel, const SkinFolders& folders, Dialogs& dialogs);

}  // namespace corvane
