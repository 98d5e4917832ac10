#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `neighbourhoods [--json]`: each neighbourhood folder's number, a tab, its
// folder name; --json: an array of {Number, Folder, Characters (its count of character files)}.
int RunNeighbourhoods(const CliArguments& args, std::ostream& out);
// `characters NB [--json]`: the character list's texts, family first, in list
// order; --json: an array of {FileName, FirstName, LastName, AgeGroup, Gender,
// FamilyNumber, Modified}, texts in UTF-8.
int RunCharacters(const CliArguments& args, std::ostream& out);
// `show NB FILE [--json]`: one character's record.
int RunShow(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
