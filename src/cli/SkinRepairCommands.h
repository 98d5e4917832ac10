#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// The two repair editors without a window: each writes its proposal over the
// file as the editor's Save does, a numbered copy of the old file kept beside
// the editor first (BMP_EDIT, CMX_EDIT); --dry-run writes nothing.

// `fix-texture FILE.bmp [--dry-run]`: the colour correction, the texture's
// 8-bit form made as the game makes its pictures.
int RunFixTexture(const CliArguments& args, std::ostream& out);

// `fix-cmx FILE.cmx [--dry-run]`: the character-file repair, the suit name
// set to the file's name and each unknown mesh replaced by the installed mesh
// whose name is most alike. --dry-run prints the proposed file.
int RunFixCmx(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
