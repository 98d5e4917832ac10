#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `catalogue`: the sizes of the four catalogue lists, one "List<TAB>count" line each.
int RunCatalogue(const CliArguments& args, std::ostream& out);

// `cmx NAME`, `skn NAME`, `skeleton NAME`: the text lines of a character
// file, mesh or skeleton: the loose file when there is one, else the
// archive entry converted to text.
int RunCmx(const CliArguments& args, std::ostream& out);
int RunSkn(const CliArguments& args, std::ostream& out);
int RunSkeleton(const CliArguments& args, std::ostream& out);

// `skins NB FILE SLOT [--mesh NAME] [--json] [--seed N]`: the list a skin page
// shows for that slot of the character: its meshes, or with --mesh the
// textures of that mesh; the entry the page selects is marked. Changes nothing.
int RunSkins(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
