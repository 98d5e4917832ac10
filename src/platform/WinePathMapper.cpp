#include "platform/WinePathMapper.h"

#include "platform/CaseInsensitivePath.h"

#include <algorithm>
#include <iterator>
#include <system_error>

namespace corvane {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char lowerLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "c:" names a drive link; "c::" names the raw device behind it and is no folder.
std::optional<char> driveLetterOfLink(const std::string& name) {
    if (name.size() == 2 && isAsciiLetter(name[0]) && name[1] == ':') {
        return lowerLetter(name[0]);
    }
    return std::nullopt;
}

// The components of a path below a drive's root with "." and ".." applied;
// ".." never climbs above the root, as on Windows.
std::string normalizedBelowRoot(std::string_view rest) {
    std::vector<std::string_view> components;
    std::size_t begin = 0;
    while (begin <= rest.size()) {
        std::size_t end = std::min(rest.find_first_of("\\/", begin), rest.size());
        std::string_view component = rest.substr(begin, end - begin);
        if (component == "..") {
            if (!components.empty()) {
                components.pop_back();
            }
        } else if (!component.empty() && component != ".") {
            components.push_back(component);
        }
        begin = end + 1;
    }
    std::string joined;
    for (std::string_view component : components) {
        joined.append(joined.empty() ? "" : "/").append(component);
    }
    return joined;
}

std::ptrdiff_t componentCount(const std::filesystem::path& path) { return std::distance(path.begin(), path.end()); }

// The components of `path` after `base`, when `base` is `path` or a folder above it.
std::optional<std::vector<std::string>> componentsBelow(const std::filesystem::path& base,
                                                        const std::filesystem::path& path) {
    auto [baseEnd, pathRest] = std::mismatch(base.begin(), base.end(), path.begin(), path.end());
    if (baseEnd != base.end()) {
        return std::nullopt;
    }
    std::vector<std::string> components;
    for (; pathRest != path.end(); ++pathRest) {
        if (!pathRest->empty()) {
            components.push_back(pathRest->string());
        }
    }
    return components;
}

bool endsWithSeparator(const std::filesystem::path& path) {
    const std::string& text = path.native();
    return text.size() > 1 && text.back() == '/';
}

}  // namespace

std::optional<WinePathMapper> WinePathMapper::forPrefix(const std::filesystem::path& prefix) {
    std::vector<Drive> drives;
    std::error_code error;
    for (std::filesystem::directory_iterator it(prefix / "dosdevices", error), end; !error && it != end;
         it.increment(error)) {
        std::optional<char> letter = driveLetterOfLink(it->path().filename().string());
        std::error_code linkError;
        std::filesystem::path target = std::filesystem::canonical(it->path(), linkError);
        if (letter && !linkError && std::filesystem::is_directory(target, linkError)) {
            drives.push_back({*letter, std::move(target)});
        }
    }
    if (drives.empty()) {
        return std::nullopt;
    }
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    return WinePathMapper(std::move(drives));
}

std::optional<std::filesystem::path> WinePathMapper::toHost(std::string_view windowsPath) const {
    if (windowsPath.starts_with('/')) {
        return std::filesystem::path(windowsPath);
    }
    if (windowsPath.size() < 2 || !isAsciiLetter(windowsPath[0]) || windowsPath[1] != ':') {
        return std::nullopt;
    }
    const char letter = lowerLetter(windowsPath[0]);
    auto drive = std::find_if(drives_.begin(), drives_.end(), [letter](const Drive& d) { return d.letter == letter; });
    if (drive == drives_.end()) {
        return std::nullopt;
    }
    return ResolveCaseInsensitive(drive->target, normalizedBelowRoot(windowsPath.substr(2)));
}

std::optional<std::string> WinePathMapper::toWindows(const std::filesystem::path& hostPath) const {
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(hostPath, error);
    if (error) {
        path = hostPath.lexically_normal();
    }
    const Drive* best = nullptr;
    std::vector<std::string> bestComponents;
    for (const Drive& drive : drives_) {
        std::optional<std::vector<std::string>> below = componentsBelow(drive.target, path);
        if (below && (best == nullptr || componentCount(drive.target) > componentCount(best->target))) {
            best = &drive;
            bestComponents = std::move(*below);
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    std::string windows{static_cast<char>(best->letter - 'a' + 'A'), ':', '\\'};
    for (std::size_t i = 0; i < bestComponents.size(); ++i) {
        windows.append(i == 0 ? "" : "\\").append(bestComponents[i]);
    }
    if (endsWithSeparator(hostPath) && !bestComponents.empty()) {
        windows += '\\';
    }
    return windows;
}

std::optional<std::filesystem::path> HostPathFromRegistry(std::string_view value,
                                                          const std::optional<WinePathMapper>& mapper) {
    if (value.starts_with('/')) {
        return std::filesystem::path(value);
    }
    return mapper ? mapper->toHost(value) : std::nullopt;
}

}  // namespace corvane
