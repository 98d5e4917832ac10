#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `backups [--json]`: each backup's folder name, a tab, the first line of its
// description in UTF-8; --json: an array of {Name, Path, Description (whole, UTF-8)}.
int RunBackups(const CliArguments& args, std::ostream& out);
// `backup NB`: backs the neighbourhood up, replacing an older backup of the
// same name (it goes to the Trash), and says what it did.
int RunBackup(const CliArguments& args, std::ostream& out);
// `restore BACKUP [--as NB] [--replace]`: restores a backup to the game's
// neighbourhood of its name, or NB; an existing neighbourhood is replaced
// (and goes to the Trash) only with --replace.
int RunRestore(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
