#pragma once

#include "platform/LanguageModule.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The neighbourhood folders of the game and the editor's backups of them, by
// name. A neighbourhood is a folder named "UserData", or that word followed by
// a number from 2 to 99; the game ignores letter case in these names.

inline constexpr MessageId kMainNeighbourhoodNotDeletable{7104};
inline constexpr MessageId kMainNeighbourhoodNotRenamable{7106};

// The folder the backups live in: ApplicationFolder()/"Neighborhoods" (not created here).
std::filesystem::path BackupsFolder();

// The entries of `folder` that are folders and whose names begin with
// "Userdata" (letter case ignored), sorted by name; none when the folder cannot be read.
std::vector<std::string> NeighbourhoodFolderNames(const std::filesystem::path& folder);

// True for "UserData" and "UserData2" … "UserData99", letter case ignored;
// a number with a leading zero ("UserData02") is not one of them.
bool IsNeighbourhoodName(std::string_view name);

// The names a rename or a copy into `folder` may choose: "UserData" first when
// `offerMain` (the game's folder at expansion level 0) and no such folder
// exists, then UserData2 … UserData99 whose folders do not exist; existing
// names are compared ignoring letter case. Empty when every name is taken.
std::vector<std::string> FreeNeighbourhoodNames(const std::filesystem::path& folder, bool offerMain);

// The main neighbourhood of the game ("UserData", letter case ignored) is
// never deleted: the game cannot start without it.
bool MayDeleteNeighbourhood(std::string_view folderName);
// Once an expansion pack is installed the game opens "UserData" by that name,
// so it keeps its name; the other neighbourhoods may always be renamed.
bool MayRenameNeighbourhood(std::string_view folderName, int expansionLevel);

// "Description.cv" of a neighbourhood or backup folder (letter case ignored):
// its bytes in the game's code page, or nothing when there is none.
// Throws std::runtime_error naming the file when it exists but cannot be read.
std::optional<std::string> ReadNeighbourhoodDescription(const std::filesystem::path& folder);
// Replaces the folder's "Description.cv" with `text` (bytes in the game's code
// page), all or nothing. Throws std::runtime_error naming the file.
void SaveNeighbourhoodDescription(const std::filesystem::path& folder, std::string_view text);

// The first line of a description (up to a carriage return or line feed).
std::string FirstDescriptionLine(std::string_view text);

}  // namespace corvane
