#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `catalogue`: the sizes of the four catalogue lists, one "List<TAB>count" line each.
int RunCatalogue(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
