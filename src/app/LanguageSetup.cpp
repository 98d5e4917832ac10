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

std::filesystem::path InstallLanguage(const std::filesystem::path& folder, const std::string& code) {
    for (const std::string& candidate : {code, std::string("usen")}) {
        auto path = existingTable(folder, candidate);
        if (path.empty()) {
            continue;
        }
        try {
            SetLanguageModule(LanguageModule::load(path));
            return path;
        } catch (const std::runtime_error&) {
            // A damaged table is treated like a missing one.
        }
    }
    SetLanguageModule(LanguageModule());
    return {};
}

}  // namespace corvane
