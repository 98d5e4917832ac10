#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// The skin checks. Each prints what its page lists and exits 3 when it found
// something (kExitProblems), 0 when not; the page's "nothing found" message
// goes to stderr.

// `validate [--json]`: every problem of the installed character files and
// textures, one "Kind<TAB>path" line each; --json: an array of
// {Kind, FileName, Folder, Description}.
int RunValidate(const CliArguments& args, std::ostream& out);

// `duplicates [--json]`: the duplicate tree, one "Kind<TAB>folder relative to
// the game<TAB>file name" line per finding, grouped by folder; --json: an
// object {Findings: [{Kind, Folder, FileName, Description}], Stored: [{Folder, FileName}]}.
int RunDuplicates(const CliArguments& args, std::ostream& out);

// `missing-skins NB [--children-formals] [--report FILE.csv|.txt|.xml]`: one
// "number<TAB>character<TAB>skin<TAB>field" line per missing skin; --report
// also saves the list as the page saves it.
int RunMissingSkins(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
