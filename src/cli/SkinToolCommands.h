#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `import-texture FILE.bmp --type T [--gender G --age A --size S --tone C
// --hand H --hand-type P] [--mesh NAME] --name NAME [--replace] [--dry-run]`:
// copies the bitmap into the skins folder under the texture name the import
// page gives it. Without --mesh the one character file that fits is used.
int RunImportTexture(const CliArguments& args, std::ostream& out);

// `export-skin MESH TEXTURE --type T [--gender G --age A --size S --tone C]
// [--series NNN] [--name NAME] [--replace] [--dry-run]`: writes a character
// file of the new body type naming MESH's meshes and a copy of TEXTURE, as the
// export page does; the options describe the new skin.
int RunExportSkin(const CliArguments& args, std::ostream& out);

// `build-cmx OUT --type T [--series NNN --gender G --age A --size S --hand H
// --hand-type P --name NAME] MESH.skn... [--replace] [--dry-run]`: composes a
// character file naming the meshes, as the CMX builder does. OUT is the
// folder to save into, or a file in it whose name is the one the choices
// give (SUITNAME.cmx); the suit name always names the file.
int RunBuildCmx(const CliArguments& args, std::ostream& out);

}  // namespace corvane::cli
