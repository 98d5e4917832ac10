#pragma once

#include <filesystem>
#include <string>

namespace corvane {

// The repair editors keep numbered backups beside the editor: textures in
// "BMP_EDIT", character files in "CMX_EDIT".
std::filesystem::path TextureBackupFolder();
std::filesystem::path CharacterFileBackupFolder();

// `folder`/`fileName`.NNN for the lowest NNN from 000 upwards whose file does
// not exist yet (x.bmp.002 when x.bmp.000 and x.bmp.001 exist; x.bmp.000 when
// only x.bmp.001 does). Throws std::runtime_error when all thousand are taken.
std::filesystem::path NextBackupPath(const std::filesystem::path& folder, const std::string& fileName);

}  // namespace corvane
