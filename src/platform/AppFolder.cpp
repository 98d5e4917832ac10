#include "platform/AppFolder.h"

#include <cstdlib>
#include <system_error>

namespace corvane {

namespace {
std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return (value != nullptr && *value != '\0') ? std::filesystem::path(value) : std::filesystem::path();
}
}  // namespace

std::filesystem::path ApplicationFolder() {
    if (auto home = environmentPath("CORVANE_HOME"); !home.empty()) {
        return home;
    }
    auto dataHome = environmentPath("XDG_DATA_HOME");
    if (dataHome.empty()) {
        dataHome = environmentPath("HOME") / ".local" / "share";
    }
    return dataHome / "Corvane3D";
}

std::filesystem::path ProgramDataFolder(const std::filesystem::path& executable, const std::string& sub) {
    std::error_code ec;
    auto besideProgram = executable.parent_path() / sub;
    if (std::filesystem::is_directory(besideProgram, ec)) {
        return besideProgram;
    }
    return executable.parent_path().parent_path() / "share" / "corvane3d" / sub;
}

std::filesystem::path CurrentExecutable() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

}  // namespace corvane
