#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// The game's own file system ignores letter case, but a copied installation on
// Linux does not: "GameData\Skins" may be "gamedata/skins" on disk. Every path
// below the game folder is resolved here, one component at a time.
//
// `relative` may use backslashes or slashes. Each component is matched against
// the entries of the folder found so far: an exact match wins, otherwise the
// first entry (in name order) that equals it ignoring ASCII letter case.
// Components that do not exist are appended as given, so the result also names
// new files inside folders that already exist in whatever case they have.
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& base, std::string_view relative);

// Equality ignoring ASCII letter case, the way the game compares file names.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace corvane
