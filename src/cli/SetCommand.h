#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `set NB FILE Field=Value… [--dry-run]`: changes fields of a character's
// record through the editor's edits and saves it as the Save button does
// after a Yes. Prints each changed field (other characters' fields with
// their file names); with --dry-run also what a save would write and the
// skins it would drop as not installed, and writes nothing. When the values
// are already there it says "nothing to change" and writes nothing.
int RunSet(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
