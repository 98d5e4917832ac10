#pragma once

#include "demo/GameBuilder.h"

#include <set>
#include <string>
#include <vector>

namespace corvane {

// Installs every skin that body strings name ("mesh,KEY=texture") as small
// loose files in GameData/Skins, unless the game already has it: as a loose
// file, or in its archives when `archived` holds its base name (lower case).
// So the characters wearing them keep them when they are saved. The
// character files hang one of the demo's figures (see StandInSkin).
void WriteWornSkins(GameBuilder& game, const std::vector<std::string>& bodyStrings,
                    const std::set<std::string>& archived = {});

}  // namespace corvane
