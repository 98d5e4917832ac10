#include "neighbourhoods/NeighbourhoodFolders.h"

#include "platform/AsciiText.h"

#include "platform/AppFolder.h"
#include "platform/AtomicFile.h"
#include "platform/CaseInsensitivePath.h"

#include <algorithm>
#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMainName = "UserData";
constexpr int kLastNumber = 99;
constexpr const char* kDescriptionFile = "Description.cv";

bool beginsWithUserdata(std::string_view name) {
    return name.size() >= kMainName.size() && EqualsIgnoreCase(name.substr(0, kMainName.size()), kMainName);
}

bool nameTaken(const std::vector<std::string>& existing, std::string_view name) {
    return std::any_of(existing.begin(), existing.end(),
                       [&](const std::string& taken) { return EqualsIgnoreCase(taken, name); });
}

}  // namespace

fs::path BackupsFolder() {
    return ApplicationFolder() / "Neighborhoods";
}

std::vector<std::string> NeighbourhoodFolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (beginsWithUserdata(name) && fs::is_directory(it->path(), typeError)) {
            names.push_back(std::move(name));
        }
    }
    // Alphabetically, as the game's file system sees names: ignoring letter case.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = ToLowerAscii(a);
        const std::string lowerB = ToLowerAscii(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    return names;
}

bool IsNeighbourhoodName(std::string_view name) {
    if (!beginsWithUserdata(name)) return false;
    const std::string_view digits = name.substr(kMainName.size());
    if (digits.empty()) return true;
    if (digits.size() > 2 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const int number = std::stoi(std::string(digits));
    return number >= 2 && number <= kLastNumber;
}

std::vector<std::string> FreeNeighbourhoodNames(const fs::path& folder, bool offerMain) {
    // Any entry blocks a name, folder or not: a file would stop the folder being made.
    std::vector<std::string> existing;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        existing.push_back(it->path().filename().string());
    }
    std::vector<std::string> free;
    if (offerMain && !nameTaken(existing, kMainName)) {
        free.emplace_back(kMainName);
    }
    for (int number = 2; number <= kLastNumber; ++number) {
        std::string name = std::string(kMainName) + std::to_string(number);
        if (!nameTaken(existing, name)) free.push_back(std::move(name));
    }
    return free;
}

bool MayDeleteNeighbourhood(std::string_view folderName) {
    return !EqualsIgnoreCase(folderName, kMainName);
}

bool MayRenameNeighbourhood(std::string_view folderName, int expansionLevel) {
    return expansionLevel == 0 || !EqualsIgnoreCase(folderName, kMainName);
}

std::optional<std::string> ReadNeighbourhoodDescription(const fs::path& folder) {
    const fs::path file = ResolveCaseInsensitive(folder, kDescriptionFile);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    return ReadTextFile(file);
}

void SaveNeighbourhoodDescription(const fs::path& folder, std::string_view text) {
    ReplaceFileAtomically(ResolveCaseInsensitive(folder, kDescriptionFile), text);
}

std::string FirstDescriptionLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

}  // namespace corvane
