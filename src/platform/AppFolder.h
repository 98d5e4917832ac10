#pragma once

#include <filesystem>

namespace corvane {

// The writable folder "beside the program": neighbourhood backups, the
// duplicate store, editor backups, profile files and work files.
// `$CORVANE_HOME` when set, else `$XDG_DATA_HOME/Corvane3D`
// (`~/.local/share/Corvane3D` when XDG_DATA_HOME is unset). Not created here.
std::filesystem::path ApplicationFolder();

// Read-only program data (language tables, artwork): the folder `sub` next to
// the executable in the build tree, else `<prefix>/share/corvane3d/<sub>`.
std::filesystem::path ProgramDataFolder(const std::filesystem::path& executable, const std::string& sub);

// The running executable's path (from /proc/self/exe).
std::filesystem::path CurrentExecutable();

}  // namespace corvane
