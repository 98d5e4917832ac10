#include "app/LanguageSetup.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"

#include <stdexcept>
#include <system_error>

namespace corvane {

namespace {

std::filesystem::path existingTable(const std::filesystem::path& folder, const std::string& code) {
    std::error_code ec;
    auto path = ResolveCaseInsensitive(folder, LanguageFileName(code));
    return std::filesystem::is_regular_file(path, ec) ? path : std::filesystem::path();
}

}  // namespace

InstalledLanguage InstallLanguage(const std::filesystem::path& folder, const std::string& code) {
    InstalledLanguage installed;
    std::vector<std::string> candidates{code};
    if (!EqualsIgnoreCase(code, "usen")) candidates.emplace_back("usen");
    for (const std::string& candidate : candidates) {
        auto path = existingTable(folder, candidate);
        if (path.empty()) {
            continue;
        }
        try {
            SetLanguageModule(LanguageModule::load(path));
            installed.file = path;
            return installed;
        } catch (const std::runtime_error& failure) {
            // Passed over like a missing table, but never silently.
            installed.unreadable.push_back(failure.what());
        }
    }
    SetLanguageModule(LanguageModule());
    return installed;
}

}  // namespace corvane
