#include "skintools/EditorBackups.h"

#include "platform/AppFolder.h"
#include "platform/ShellFileOps.h"

#include <cstdio>
#include <stdexcept>

namespace corvane {

std::filesystem::path TextureBackupFolder() {
    return ApplicationFolder() / "BMP_EDIT";
}

std::filesystem::path CharacterFileBackupFolder() {
    return ApplicationFolder() / "CMX_EDIT";
}

std::filesystem::path NextBackupPath(const std::filesystem::path& folder, const std::string& fileName) {
    for (int number = 0; number <= 999; ++number) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, ".%03d", number);
        std::filesystem::path candidate = folder / (fileName + suffix);
        if (!PathExists(candidate)) return candidate;
    }
    throw std::runtime_error("no free backup name for " + fileName + " in " + QuotedPath(folder) +
                             ": " + fileName + ".000 to .999 all exist");
}

}  // namespace corvane
