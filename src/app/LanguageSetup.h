#pragma once

#include <filesystem>
#include <string>

namespace corvane {

// Installs the language table `CV3D<code>.lng` from `folder` (the file name's
// letter case ignored) as the process-wide language module; falls back to US
// English, and to empty texts when no table can be read. Returns the file used,
// or an empty path.
std::filesystem::path InstallLanguage(const std::filesystem::path& folder, const std::string& code);

}  // namespace corvane
