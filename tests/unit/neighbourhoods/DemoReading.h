#pragma once

#include "neighbourhoods/NeighbourhoodLoader.h"
#include "skins/SkinFolders.h"

#include <filesystem>
#include <string>

namespace corvane {

// How the editor reads the demo installation's first neighbourhood (level 7,
// with the fame folders), leftover work files lying in `applicationFolder`.
inline NeighbourhoodLoadSettings DemoReading(const std::filesystem::path& game, const std::filesystem::path& applicationFolder) {
    constexpr int kLevel = 7;
    NeighbourhoodLoadSettings load;
    load.folder = game / "UserData";
    load.expansionLevel = kLevel;
    load.languageNumber = 1;
    load.hasFameFolders = true;
    load.applicationFolder = applicationFolder;
    SkinFolders skins(game, kLevel);
    load.textureInstalled = [skins](const std::string& name) { return !skins.FindSkinFile(name, ".bmp").empty(); };
    return load;
}

}  // namespace corvane
