#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `export-cvp NB FILE OUT.cvp [--rating E|T|M|A] [--credits TEXT] [--leave-out NAME…]`:
// writes the character's profile with every skin file it wears but those
// left out (by name, letter case ignored); prints each embedded file and the
// target. A --leave-out name the character does not wear is an error.
int RunExportProfile(const CliArguments& args, std::ostream& out);

// `import-cvp NB FILE IN.cvp [--overwrite all|none] [--dry-run]`: applies
// a profile to the character, installs every file it offers (an installed
// file of the same name is kept unless --overwrite all), stages its pictures
// and saves like `set`. --dry-run prints the changes and the files and
// writes nothing.
int RunImportProfile(const CliArguments& args, std::ostream& out);

// `cvp-info IN.cvp [--json]`: the profile's attributes, values and files,
// read and checked as the import reads them; nothing is changed.
int RunProfileInfo(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
