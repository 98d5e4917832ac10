#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// The duplicate store, as the duplicate search page moves files in and out.
// A file the move would replace is replaced only with --replace, and goes to
// the Trash.

// `store-duplicate PATH [--replace]`: moves a file the duplicate search finds
// (PATH below the game folder, as `duplicates` prints its folder and name)
// into the store beside the editor, keeping its folder.
int RunStoreDuplicate(const CliArguments& args, std::ostream& out);

// `restore-duplicate PATH [--replace]`: moves the stored file PATH (below the
// store, the same path it had below the game folder) back into the game.
int RunRestoreDuplicate(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
