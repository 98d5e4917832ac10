#include "app/GameInstallation.h"

#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ShellFileOps.h"

#include <algorithm>
#include <system_error>

namespace corvane {

namespace {

std::string neighbourhoodNumber(const std::string& folderName) {
    // Characters 9 and 10 of "UserData10" are "10".
    std::string digits = folderName.size() > 8 ? folderName.substr(8, 2) : std::string();
    if (digits.size() == 2) {
        return digits;
    }
    std::string number = "01";
    if (digits.size() == 1) {
        number[1] = digits[0];
    }
    return number;
}

}  // namespace

std::string ExpansionPackFolder(int number) {
    return number <= 1 ? std::string("ExpansionPack") : "ExpansionPack" + std::to_string(number);
}

int DetectExpansionLevel(const std::filesystem::path& gamePath) {
    int level = 0;
    for (int pack = 1; pack <= 7; ++pack) {
        if (IsFolder(ResolveCaseInsensitive(gamePath, ExpansionPackFolder(pack)))) {
            level = pack;
        }
    }
    return level;
}

bool HasGameExecutable(const std::filesystem::path& gamePath) {
    std::error_code ec;
    return !gamePath.empty() && std::filesystem::is_regular_file(ResolveCaseInsensitive(gamePath, "Sims.exe"), ec);
}

std::vector<NeighbourhoodEntry> ListNeighbourhoods(const std::filesystem::path& gamePath) {
    std::vector<NeighbourhoodEntry> entries;
    for (std::string& name : NeighbourhoodFolderNames(gamePath)) {
        std::string number = neighbourhoodNumber(name);
        entries.push_back({std::move(number), std::move(name)});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.number < b.number; });
    return entries;
}

int PreselectedNeighbourhood(const std::vector<NeighbourhoodEntry>& entries, const std::string& preselected) {
    if (entries.empty()) {
        return -1;
    }
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const auto& entry) { return entry.folderName == preselected; });
    return found == entries.end() ? 0 : static_cast<int>(found - entries.begin());
}

std::string ChooseSkinsFolder(const std::filesystem::path& gamePath, const std::vector<std::string>& switchValues) {
    std::string folder = "GameData\\Skins";
    for (const std::string& value : switchValues) {
        if (!value.empty() && IsFolder(ResolveCaseInsensitive(gamePath, value))) {
            folder = value;
        }
    }
    return folder;
}

std::vector<std::string> HauntAddresses(int expansionLevel) {
    std::vector<std::string> addresses;
    if (expansionLevel >= 7) {
        return addresses;
    }
    for (int house = 0; house <= 10; ++house) {
        addresses.push_back(std::to_string(house));
    }
    if (expansionLevel >= 5) {
        for (int house = 50; house <= 80; ++house) {
            addresses.push_back(std::to_string(house));
        }
    }
    return addresses;
}

}  // namespace corvane
