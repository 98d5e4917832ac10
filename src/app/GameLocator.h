#pragma once

#include "platform/Dialogs.h"
#include "platform/Registry.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace corvane {

// What the game's registry key says about the installation.
struct GameKeyValues {
    std::filesystem::path gamePath;   // host path; empty when unknown
    std::string preselectedNeighbourhood = "UserData";
    std::string gameLanguage;         // at most four characters
};

// Reads SIMS_DATA (a Windows path mapped into the Wine prefix, or a host
// path), SIMS_CURRENT_NEIGHBORHOOD_PATH ("UserData" when empty) and the
// first four characters of SIMS_LANGUAGE.
GameKeyValues ReadGameKey(const Registry& registry);

// Makes sure the game is there: when `gamePath` holds no "Sims.exe", asks
// (message 8040) and lets the user pick the file; the chosen folder is stored
// as SIMS_DATA. Nothing when the user gives up or picks a folder without the
// game (message 8041 told), and then nothing was written.
std::optional<std::filesystem::path> LocateGame(const std::filesystem::path& gamePath, Registry& registry,
                                                Dialogs& dialogs);

// Makes sure the game's language is known: when `gameLanguage` is empty,
// `askLanguage` names one (the language dialog) and its first four characters
// are stored as SIMS_LANGUAGE.
std::string EnsureGameLanguage(const std::string& gameLanguage, Registry& registry,
                               const std::function<std::string()>& askLanguage);

}  // namespace corvane
