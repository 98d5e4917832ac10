#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// The repair editors keep numbered backups beside the editor: textures in
// "BMP_EDIT", character files in "CMX_EDIT".
std::filesystem::path TextureBackupFolder();
std::filesystem::path CharacterFileBackupFolder();

// `folder`/`fileName`.NNN for the lowest NNN from 000 upwards whose file does
// not exist yet (x.bmp.002 when x.bmp.000 and x.bmp.001 exist; x.bmp.000 when
// only x.bmp.001 does). Throws std::runtime_error when all thousand are taken.
std::filesystem::path NextBackupPath(const std::filesystem::path& folder, const std::string& fileName);

// Writes an editor's repair over `file`: its write protection is lifted, a
// numbered copy of it is kept in `backupFolder` first when `keepBackup`, and
// then `bytes` replace it whole or not at all. When the copy cannot be made
// nothing is written and std::runtime_error starts with message 7155. Returns
// the copy's path, empty without one.
std::filesystem::path SaveRepairedFile(const std::filesystem::path& file, const std::filesystem::path& backupFolder,
                                       bool keepBackup, std::string_view bytes);

}  // namespace corvane
