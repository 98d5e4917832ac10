#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// What start-up learns from the game's folder itself.

// The folder name of expansion pack `number` (1 → "ExpansionPack", 2 → "ExpansionPack2").
std::string ExpansionPackFolder(int number);

// The number of the highest expansion pack folder present ("ExpansionPack",
// "ExpansionPack2" … "ExpansionPack7"), gaps ignored; 0 without any.
int DetectExpansionLevel(const std::filesystem::path& gamePath);

// True when "Sims.exe" (any letter case) is a file in `gamePath`.
bool HasGameExecutable(const std::filesystem::path& gamePath);

// One entry of the neighbourhood list: the two-character number shown and
// the folder it stands for.
struct NeighbourhoodEntry {
    std::string number;      // "01", "02", "10"
    std::string folderName;  // "UserData", "UserData2", "UserData10"
};

// The folders of `gamePath` whose names begin with "Userdata" (letter case
// ignored), sorted by their number: characters 9 and 10 of the name, "0" put
// before a single one, "01" when there are none.
std::vector<NeighbourhoodEntry> ListNeighbourhoods(const std::filesystem::path& gamePath);

// The index to select: the entry whose folder name equals `preselected`
// exactly, else 0; -1 for an empty list.
int PreselectedNeighbourhood(const std::vector<NeighbourhoodEntry>& entries, const std::string& preselected);

// The skins folder relative to the game folder: "GameData\Skins", replaced by
// each "/skinsdir" value in turn whose folder exists below the game folder.
std::string ChooseSkinsFolder(const std::filesystem::path& gamePath, const std::vector<std::string>& switchValues);

// The entries of the haunted-house list at an expansion level: "0" to "10",
// then "50" to "80" at levels 5 and 6; none at level 7.
std::vector<std::string> HauntAddresses(int expansionLevel);

}  // namespace corvane
