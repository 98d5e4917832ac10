#pragma once

#include "skins/SkinFolders.h"

#include <filesystem>
#include <string>

namespace corvane {

// The game blurs nude characters with a censor character file. A character
// file of the same name holding an empty censor suit, put into the first skin
// folder, switches the blur off; without it the game blurs again.
enum class CensorKind { Adult, Child, Cat, Dog };

// The override file's name, and the suit name it holds, at an expansion
// level: the packs from level 3 on renamed the people's censor files.
std::string CensorFileName(CensorKind kind, int expansionLevel);  // "adult-censor.cmx", "Adult.cmx", ...
std::string CensorSuitName(CensorKind kind, int expansionLevel);  // "adult-censor", "adult-needs", ...

// The override file's eight CR LF lines: the comment, version 300, no
// skeleton, one suit of kind 1 without skins.
std::string CensorFileText(CensorKind kind, int expansionLevel);

// Whether the game blurs: no override file of the kind is installed.
bool BlurOn(const SkinFolders& folders, CensorKind kind);

// Blur on: the installed override file goes to the Trash (a file of that
// name may be the player's own). Blur off: the override file is written into
// the first skin folder, whole or not at all. Throws ShellOperationError (the
// Trash) or std::runtime_error (the write) naming the file and the cause.
void SetBlur(const SkinFolders& folders, CensorKind kind, bool on);

}  // namespace corvane
