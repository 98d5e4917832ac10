#include "skintools/EditorBackups.h"

#include "platform/AppFolder.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "skintools/SkinToolFiles.h"

#include <cstdio>
#include <stdexcept>
#include <system_error>

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

namespace {

constexpr MessageId kBackupFailed{7155};

std::filesystem::path copyToBackup(const std::filesystem::path& file, const std::filesystem::path& backupFolder) {
    try {
        std::filesystem::create_directories(backupFolder);
        const std::filesystem::path backup = NextBackupPath(backupFolder, file.filename().string());
        // Never over an existing backup: a name taken since it was chosen fails the copy.
        std::filesystem::copy_file(file, backup, std::filesystem::copy_options::none);
        return backup;
    } catch (const std::exception& error) {
        throw std::runtime_error(LangStr(kBackupFailed) + "\n" + error.what());
    }
}

}  // namespace

std::filesystem::path SaveRepairedFile(const std::filesystem::path& file, const std::filesystem::path& backupFolder,
                                       bool keepBackup, std::string_view bytes) {
    // A write-protected texture or character file is repaired all the same.
    std::error_code unchanged;
    std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                 unchanged);
    std::filesystem::path backup;
    if (keepBackup) backup = copyToBackup(file, backupFolder);
    WriteSkinFile(file, bytes);
    return backup;
}

}  // namespace corvane
