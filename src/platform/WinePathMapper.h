#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Maps Windows paths of a Wine prefix ("C:\Program Files\Maxis\The Sims\") to
// host paths and back, through the prefix's drive links: `dosdevices/c:` is a
// symbolic link, normally to `../drive_c`, and `z:` usually to `/`.
class WinePathMapper {
public:
    struct Drive {
        char letter;                   // lower case
        std::filesystem::path target;  // the link's real folder
    };

    // Empty when the prefix has no dosdevices folder with a usable drive link.
    static std::optional<WinePathMapper> forPrefix(const std::filesystem::path& prefix);

    // "X:\rest" (either slash, any letter case) to the drive's folder plus each
    // component of the rest resolved ignoring letter case; ".." stops at the
    // drive's root. A path that already is a host path (starts with '/') is
    // returned as it is. Empty for an unknown drive or a path without a drive.
    std::optional<std::filesystem::path> toHost(std::string_view windowsPath) const;

    // A host path below a drive's folder to "X:\rest" (upper-case letter); the
    // drive with the longest matching folder wins, so c: beats z: = "/". A
    // trailing separator is kept. Empty when no drive holds the path.
    std::optional<std::string> toWindows(const std::filesystem::path& hostPath) const;

    const std::vector<Drive>& drives() const { return drives_; }

private:
    explicit WinePathMapper(std::vector<Drive> drives) : drives_(std::move(drives)) {}

    std::vector<Drive> drives_;
};

// A folder named by a registry value: mapped through the prefix when there is
// one; a value that already is a host path is taken as it is.
std::optional<std::filesystem::path> HostPathFromRegistry(std::string_view value,
                                                          const std::optional<WinePathMapper>& mapper);

}  // namespace corvane
