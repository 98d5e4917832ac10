#include "platform/CaseInsensitivePath.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace corvane {

namespace {

std::vector<std::string> splitComponents(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) {
                parts.push_back(std::move(current));
                current.clear();
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(std::move(current));
    }
    return parts;
}

// The on-disk name of `component` inside `folder`, or empty when none matches.
std::string findEntry(const std::filesystem::path& folder, const std::string& component) {
    std::error_code ec;
    if (std::filesystem::exists(folder / component, ec)) {
        return component;
    }
    std::string best;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (EqualsIgnoreCase(name, component) && (best.empty() || name < best)) {
            best = std::move(name);
        }
    }
    return best;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& base, std::string_view relative) {
    std::filesystem::path result = base;
    bool stillOnDisk = true;
    for (const std::string& component : splitComponents(relative)) {
        if (component == "." ) {
            continue;
        }
        std::string onDisk = (stillOnDisk && component != "..") ? findEntry(result, component) : std::string();
        if (onDisk.empty()) {
            stillOnDisk = stillOnDisk && component == "..";
            result /= component;
        } else {
            result /= onDisk;
        }
    }
    return result;
}

}  // namespace corvane
