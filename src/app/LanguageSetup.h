#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// The language table in use, and why each one tried before it was passed over.
struct InstalledLanguage {
    std::filesystem::path file;  // empty: none could be read, every text is empty
    // Each table that exists but could not be read: its file, the line and
    // the cause ("…/CV3Dfren.lng line 12: id 7010 appears twice").
    std::vector<std::string> unreadable;
};

// Installs the language table `CV3D<code>.lng` from `folder` (the file name's
// letter case ignored) as the process-wide language module; falls back to US
// English, and to empty texts when no table can be read.
InstalledLanguage InstallLanguage(const std::filesystem::path& folder, const std::string& code);

}  // namespace corvane
