#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `blur`: whether the game blurs nude adults, children, dogs and cats, one
// "kind<TAB>on|off" line each. `blur KIND on|off` switches one: off writes
// the censor override file into the first skin folder, on sends it to the
// Trash.
int RunBlur(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
