#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `set NB FILE Field=Value… [--dry-run]`: changes fields of a character's
// record and saves it as the Save button does after a Yes. Prints each
// changed field; with --dry-run also the files a save would write, and
// writes nothing.
int RunSet(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
