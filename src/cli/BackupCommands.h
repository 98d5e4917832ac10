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

// `copy-neighbourhood NB NEW`, `copy-backup BACKUP NEW`: a copy under a free
// name (UserData2 ... UserData99) in the same place; what a game copy carries
// is what a backup carries.
int RunCopyNeighbourhood(const CliArguments& args, std::ostream& out);
int RunCopyBackup(const CliArguments& args, std::ostream& out);
// `rename-neighbourhood NB NEW`, `rename-backup BACKUP NEW`: UserData keeps its
// name once an expansion pack is installed.
int RunRenameNeighbourhood(const CliArguments& args, std::ostream& out);
int RunRenameBackup(const CliArguments& args, std::ostream& out);
// `delete-neighbourhood NB`, `delete-backup BACKUP`: to the Trash; UserData is
// never deleted.
int RunDeleteNeighbourhood(const CliArguments& args, std::ostream& out);
int RunDeleteBackup(const CliArguments& args, std::ostream& out);
// `description NB [TEXT]`, `backup-description BACKUP [TEXT]`: prints the
// description (UTF-8), or replaces it with TEXT ("\n" for a line break).
int RunDescription(const CliArguments& args, std::ostream& out);
int RunBackupDescription(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
