#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `neighbourhoods`: each neighbourhood folder's number, a tab, its folder name.
int RunNeighbourhoods(const CliArguments& args, std::ostream& out);
// `characters NB`: the character list's texts, family first, in list order.
int RunCharacters(const CliArguments& args, std::ostream& out);
// `show NB FILE [--json]`: one character's record.
int RunShow(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
